"""Where the derived data comes from: files of two Debian packages."""

from . import packages

LEXICON = "usr/share/festival/voices/russian/msu_ru_nsh_clunits/dict/msu_ru_nsh_dict.scm"
UTTERANCES = "usr/share/festival/voices/russian/msu_ru_nsh_clunits/etc/txt.done.data"
LEXICON_NOTICE = "usr/share/doc/festvox-ru/copyright"
HUNSPELL_DIC = "usr/share/hunspell/ru_RU.dic"
HUNSPELL_AFF = "usr/share/hunspell/ru_RU.aff"
HUNSPELL_NOTICE = "usr/share/doc/hunspell-ru/copyright"


def lexicon_files(deb_cache, work_dir):
    return packages.fetch_files("festvox-ru", [LEXICON, LEXICON_NOTICE], deb_cache, work_dir)


def utterance_file(deb_cache, work_dir):
    return packages.fetch_files("festvox-ru", [UTTERANCES], deb_cache, work_dir)[UTTERANCES]


def hunspell_files(deb_cache, work_dir):
    return packages.fetch_files("hunspell-ru", [HUNSPELL_DIC, HUNSPELL_AFF, HUNSPELL_NOTICE],
                                deb_cache, work_dir)


def read(path):
    with open(path, encoding="utf-8") as source:
        return source.read()
