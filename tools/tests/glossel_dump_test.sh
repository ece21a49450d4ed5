#!/bin/bash
# glossel_dump over the built Russian data: readings of numbers, units,
# symbols and abbreviations, and the same words from every Russian code page.
# Arguments: glossel_dump regsvr reg_write Runemap-library Glossel-library
#            data-folder stress-folder user-base string-resources mask-folder
set -eu
dump=$1 regsvr=$2 reg_write=$3 runemap=$4 glossel=$5
root=$6 stress=$7 user=$8 strings=$9 masks=${10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PARLEN_REGISTRY=$work/registry.reg
"$regsvr" "$runemap" "$glossel" >/dev/null
"$reg_write" 'SOFTWARE\Morvane\Russian' "Root=$root" "NewStressBase=$stress" \
  "UserStressBase=$user" "StringResources=$strings" "MaskBases=$masks" \
  'Runemap={AAC0577E-969B-4545-BB63-054568E4C600}' >/dev/null

# The words of each sentence on a line of their own.
words() {
  "$dump" "$1" | awk '$1 == "sentence" { if (n++) printf "\n"; next }
                      $1 != "syntagma" { printf "%s ", $1 } END { printf "\n" }'
}

failures=0
check() {
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "expected:"; echo "$3"; echo "got:"; echo "$2"
    failures=$((failures + 1))
  fi
}

printf '%s' 'Стоит 3 руб. за штуку, а вчера 1 руб. Было 5 °C тепла, ночью 2 °С мороза. Статья § 5 стоит 10 €. Точность ±2 градуса. Будет 10 - 3 сегодня. Компания Google растёт. США выступил с заявлением. Через 2-3 дня приеду. К 5 часам все пришли. В 1999 г. было тепло.' \
  > "$work/readings.txt"
expected='стоит три рубля заштуку авчера один рубль 
было пять градусов цельсия тепла ночью два градуса цельсия мороза 
статья параграф пять стоит десять евро 
точность плюс минус два градуса 
будет десять три севодня 
компания гугл растёт 
сэ шэ а выступил сзаявлением 
черездва три дня приеду 
кпятому часам все пришли 
втысяча девятьсот девяносто девятом году было тепло '
check "readings from UTF-8" "$(words "$work/readings.txt")" "$expected"
iconv -f UTF-8 -t CP1251 "$work/readings.txt" > "$work/readings.1251"
check "readings from Windows-1251" "$(words "$work/readings.1251")" "$expected"

# Abbreviations that are also words read as words where a sentence ends;
# next to a number or before a small word, and written small, they expand.
# A rarer word ("пер.", "кап.", "серж.") expands before a name too, a common
# one ("полк.") does not; a money unit after a scale word is "рублей".
printf '%s' 'Мы думали о нем. Он доволен им. Это так. См. рис. 5 и нем. язык. Пишет А.С.Пушкин, живёт на ул. Ленина в г. Москве. Адрес: пер. Гоголя, д. 5. Приказ подписал кап. Орлов, рядом стоял серж. Козлов. Он заплатил 25 тыс. руб., а не 2 млн руб. Он вернулся в полк. Там было тихо.' \
  > "$work/abbreviations.txt"
expected='мы думали онём 
он доволен им 
это так 
смотри рисунок пять инемецкий язык 
пишет а с пушкин живёт наулица ленина вгород москве 
адрес переулок гоголя дом пять 
приказ подписал капитан орлов рядом стоял сержант козлов 
он заплатил двацать пять тысяч рублей анедва милиона рублей 
он вернулся вполк 
там было тихо '
check "abbreviations" "$(words "$work/abbreviations.txt")" "$expected"

# A short Windows-1251 text with a sign ISO-8859-5 reads as a letter.
printf '%s' 'Дом №5.' | iconv -f UTF-8 -t CP1251 > "$work/house.1251"
check "short Windows-1251 text" "$(words "$work/house.1251")" 'дом номер пять '

printf '%s' 'Съешь же ещё этих мягких французских булок, да выпей чаю. Мама мыла раму.' \
  > "$work/pangram.txt"
expected='съешьже ещё этих мягких французских булок да выпей чаю 
мама мыла раму '
check "pangram from UTF-8" "$(words "$work/pangram.txt")" "$expected"
reference=$("$dump" "$work/pangram.txt")
for codepage in CP1251 CP866 KOI8-R; do
  iconv -f UTF-8 -t "$codepage" "$work/pangram.txt" > "$work/pangram.$codepage"
  check "pangram from $codepage" "$("$dump" "$work/pangram.$codepage")" "$reference"
done

# The stop after a fraction ends the sentence: "3.14." reads as "3,14." does.
printf '%s' 'Пи равно 3.14.' > "$work/stop.txt"
printf '%s' 'Пи равно 3,14.' > "$work/comma.txt"
check "stop after a fraction" "$("$dump" "$work/stop.txt")" "$("$dump" "$work/comma.txt")"

: > "$work/empty.txt"
check "empty file" "$("$dump" "$work/empty.txt"; echo "exit $?")" "exit 0"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "glossel_dump: all readings as expected"
