// parlen: the reader program. Opens the document named on the command line,
// or the last one of its settings file, in a window. With --headless it
// draws the first page without a screen (for scripts), optionally saving
// it with --frame <file.png>.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "documents/common/conversion_mark.h"
#include "documents/common/leftovers.h"
#include "documents/zip/zip_archive.h"
#include "platform/message_box.h"
#include "platform/unicode.h"
#include "platform/window/headless_backend.h"
#include "reader/reader_dlg.h"
#ifdef PARLEN_HAVE_FLTK
#include "platform/window/fltk_backend.h"
#endif

namespace {

int RunReader(WindowBackend& backend, const std::u16string& document, bool headless,
              const std::string& framePath) {
  CReaderDlg::Environment environment;
  environment.settingsPath = InstalledSettingsPath();
  environment.document = document;
  CReaderDlg reader(backend, environment);
  reader.OnInitDialog();
  // What an earlier run left in the extraction cache (it may have been
  // killed half-way) goes; the open document keeps its file.
  RemoveExtractionLeftovers(reader.DocumentPath());
  // And what killed conversions left in the temporary folder and the files
  // their marks name.
  RemoveConversionFolderLeftovers();
  RemoveMarkedConversionLeftovers();
  int result = 0;
  if (headless) {
    // No screen to show them on: what the reader told goes to the terminal.
    for (const auto& box : static_cast<HeadlessBackend&>(backend).MessageBoxes().Boxes())
      std::fprintf(stderr, "parlen: %s\n", MessageBoxLine(box.text, box.caption).c_str());
    reader.Host().Update();
    std::string reason;
    if (!framePath.empty() &&
        !static_cast<HeadlessHost&>(reader.Host()).SaveFramePng(framePath, &reason)) {
      std::fprintf(stderr, "parlen: cannot write %s: %s\n", framePath.c_str(), reason.c_str());
      result = 1;
    }
  } else {
    reader.Host().Run();
  }
  reader.OnDestroy();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  std::u16string document;
  bool headless = false;
  std::string framePath;
  bool namesOnly = false;  // after "--" a word is a document's name
  for (int i = 1; i < argc; ++i) {
    if (namesOnly) {
      Utf8ToUtf16(argv[i], &document);
    } else if (std::strcmp(argv[i], "--") == 0) {
      namesOnly = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::puts("usage: parlen [--headless [--frame file.png]] [--] [document]");
      return 0;
    } else if (std::strcmp(argv[i], "--headless") == 0) {
      headless = true;
    } else if (std::strcmp(argv[i], "--frame") == 0 && i + 1 < argc) {
      framePath = argv[++i];
    } else {
      Utf8ToUtf16(argv[i], &document);
    }
  }
  // A file-size limit fails the write (EFBIG) like a full disk, which the
  // conversions report and clean up after, instead of killing the reader.
  signal(SIGXFSZ, SIG_IGN);
  // Boxes asked without a caption carry the program's name.
  SetDefaultMessageBoxCaption(u"Parlen 2");
  if (headless) {
    HeadlessBackend backend;
    return RunReader(backend, document, true, framePath);
  }
#ifdef PARLEN_HAVE_FLTK
  if (FltkBackend::Available()) {
    FltkBackend backend;
    return RunReader(backend, document, false, {});
  }
  std::fputs("parlen: cannot open the display\n", stderr);
#else
  std::fputs("parlen: built without a window toolkit; use --headless\n", stderr);
#endif
  return 1;
}
