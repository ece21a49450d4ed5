#!/usr/bin/env bash
# deliverable_symbols_test.sh NAME=FILE...: each deliverable carries the
# pieces listed for it below, whether or not anything in it calls them
# (nm -C finds them defined), and each server exports only its four entry
# points.
set -u
fail=0

syntagma=(
  'DumpSyntagma(' 'SyntagmaTypeName(' 'SyntagmaEndCode(' 'CountStressedGroups('
  'SumTokenLengths(' 'JoinWordTexts(' 'JoinStressedWordTexts('
  'WordGroup::StressedText(' 'WordGroup::IsStressValid(' 'SyntagmaRecord::Reset(')

pieces_of() {
  case $1 in
    Runemap|Sonalik) printf '%s\n' "${syntagma[@]}" ;;
    GlosselModule)
      printf '%s\n' "${syntagma[@]}" \
        'ToneContourTable::Load(' 'ToneContourTable::LoadLines(' 'ToneContourTable::Lookup(' ;;
    Tonvar)
      printf '%s\n' "${syntagma[@]}" \
        'PhonemeAllophoneBase::Load(' 'PhonemeAllophoneBase::FindRule(' \
        'PhonemeAllophoneBase::GetPhonemeInfo(' 'PhonemeAllophoneBase::LoadRulesOnly(' \
        'ReadTextRuleTables(' 'CompareRuleTables(' \
        'PhoneticEng::BasicAllophone(' 'PhoneticEng::SubstituteAllophone(' ;;
    Orvox)
      printf '%s\n' "${syntagma[@]}" \
        'AudioBuffer::AudioBuffer(SAFEARRAY*' 'AudioBuffer::ToVariant(' \
        'AudioBuffer::Silence(' \
        'AudioBuffer::WriteWaveFile(' 'AudioBuffer::ReadWaveFile(' \
        'AudioBuffer::ToDoubles(' 'AudioBuffer::ToFloats(' 'AudioBuffer::ToShorts(' \
        'AudioBuffer::AssignDoubles(' 'AudioBuffer::AssignFloats(' 'AudioBuffer::AssignShorts(' \
        'AudioBuffer::Reformat(' 'AudioBuffer::EraseSamples(' 'AudioBuffer::InsertSamples(' \
        'AudioBuffer::GetSample(' 'AudioBuffer::Append(' 'AudioBuffer::Peak(' \
        'AudioBuffer::DurationMs(' 'AudioBuffer::HalveRate(' \
        'WaveFormat::SamplesToSeconds(' 'WaveFormat::SecondsToSamples(' \
        'WaveFormat::SamplesToText(' 'WaveFormat::MinutesSecondsToSamples(' \
        'ImaAdpcmEncode(' 'DelayedSignalTimer::DelayedSignalTimer(' 'DelayedSignalTimer::Set(' \
        'FileSizeBySeeking(' 'ReadFileToString(' \
        'WaveOutDeviceCount(' 'WaveOutDeviceName(' 'WaveOutAcceptsFormat(' \
        'WaveInDeviceCount(' 'WaveInDeviceName(' 'WaveInAcceptsFormat(' ;;
    parlen)
      printf '%s\n' "${syntagma[@]}" \
        'fold_compare(' 'fold_compare_n(' \
        'replace_log_begin(' 'replace_log_record(' 'replace_log_apply(' \
        'annotation_read(' 'annotation_write(' 'rb_fix_anchors(' \
        'rule_file_read(' 'rule_file_parse(' 'rule_file_apply(' \
        'info_table_read(' 'rb_read_info(' 'info_table_text(' 'info_table_merge(' \
        'hash_new(' 'hash_set(' 'hash_remove(' 'hash_walk(' 'hash_keys(' \
        'wildcard_match(' 'wildcard_escape(' 'base64_encode(' 'rtf_format_name(' \
        'rb_new_book(' 'rb_entry_decoded_length(' 'rb_url_type(' 'rb_write_toc_entry(' \
        'lit_clone_directory(' 'lit_put_entry(' 'lit_remove_entries(' 'lit_write_entries(' \
        'lit_write_file(' 'lit_build_directory(' 'lit_write_directory_entry(' 'lit_put_encint(' \
        'CFileOpenTreeDlg::CFileOpenTreeDlg(' 'CFileOpenTreeDlg::OnInitDialog(' \
        'CHeaderDlg::CHeaderDlg(' 'CHeaderDlg::PaintTitleBand(' 'CDateTimeFormatter::Format(' ;;
    *) return 1 ;;
  esac
}

exports='DllCanUnloadNow
DllGetClassObject
DllRegisterServer
DllUnregisterServer'

for arg in "$@"; do
  name=${arg%%=*} file=${arg#*=}
  # Names as declared: without the ABI tag of functions returning strings.
  defined=$(nm -C --defined-only "$file" | sed 's/\[abi:cxx11\]//g')
  [ -n "$defined" ] || { echo "FAIL: no symbols in $file"; fail=1; continue; }
  pieces=$(pieces_of "$name") || { echo "FAIL: no list of pieces for $name"; fail=1; }
  while IFS= read -r piece; do
    [ -z "$piece" ] || grep -qF -- "$piece" <<<"$defined" || { echo "FAIL: $name lacks $piece"; fail=1; }
  done <<<"$pieces"
  if [ "$name" != parlen ]; then
    got=$(nm -D --defined-only "$file" | awk '{print $NF}' | sort)
    [ "$got" = "$exports" ] || { echo "FAIL: $name exports:"; echo "$got"; fail=1; }
  fi
done
exit $fail
