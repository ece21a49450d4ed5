#!/usr/bin/env python3
"""Writes long_book.html: about 300 KB of numbered paragraphs, enough for the
book's text section to span several LZX windows."""
words = "мама мыла раму папа читал газету кот спал на окне дом стоял у реки".split()
paragraphs = []
state = 12345
for number in range(2400):
    line = []
    for _ in range(12):
        state = (state * 1103515245 + 12345) % 2**31
        line.append(words[state % len(words)])
    paragraphs.append(f"<p>{number} {' '.join(line)}.</p>")
with open("long_book.html", "w", encoding="utf-8") as out:
    out.write('<html><head><meta http-equiv="Content-Type" content="text/html; charset=utf-8"/>'
              "<title>Long</title></head><body>\n" + "\n".join(paragraphs) + "\n</body></html>\n")
