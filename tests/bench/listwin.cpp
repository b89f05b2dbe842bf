// Speed of the import engine on 1,000,000 lines against a bare binary read of
// the same file's lines, and of the import window and list editor headless.
#include "bench/bench_timing.h"
#include "core/import_engine.h"
#include "app/frmMain.h"
#include "app/program.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmFileImport.h"
#include "ui/application.h"
#include "ui/seam.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ReadFile in 64 KiB blocks, each line copied out once; returns the lines.
size_t BareReadLines(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::vector<char> block(64 * 1024);
  std::string line, carry;
  size_t lines = 0;
  DWORD got = 0;
  while (ReadFile(file, block.data(), DWORD(block.size()), &got, nullptr) && got > 0) {
    const char* p = block.data();
    const char* end = p + got;
    while (const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p))) {
      line.assign(carry).append(p, nl);
      carry.clear();
      ++lines;
      p = nl + 1;
    }
    carry.append(p, end);
  }
  CloseHandle(file);
  return lines;
}

double Engine(const std::string& path, core::ImportMode mode, size_t& strings, bool abandon) {
  core::ImportResult result;  // released outside the timing
  return bench::Seconds([&] {
    core::ImportSettings s;
    s.fileName = path;
    s.mode = mode;
    s.delimiter = ";";
    s.abandonQuotationMarks = abandon ? 1 : 0;
    core::ImportClass engine(s);
    engine.SetColumn(3);
    engine.Import();
    result = engine.TakeResult();
    strings = result.size();
  });
}

void Compare(const char* what, const std::string& path, core::ImportMode mode, size_t lines,
             bool abandon = false) {
  // The best of three runs each, taken in turn, so both see the same machine.
  size_t bare = 0, strings = 0;
  double tb = 1e9, te = 1e9;
  for (int run = 0; run < 3; ++run) {
    tb = std::min(tb, bench::Seconds([&] { bare = BareReadLines(path); }));
    te = std::min(te, Engine(path, mode, strings, abandon));
  }
  bench::ReportAgainst(what, double(lines), te, tb, "binary read of lines", "lines");
  if (strings == 0 || bare != lines) std::printf("unexpected counts %zu %zu\n", strings, bare);
}

// Answers every box with its default button and every open dialog with one file.
class QuietSeam : public ui::Seam {
public:
  std::string file;
  int MessageBox(HWND, ui::BoxOwner, const std::string&, const std::string&, unsigned flags) override {
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  }
  bool FileDialog(ui::FileDialogRequest& request) override {
    request.fileName = file;
    return true;
  }
};

// Browse and Create/Preview of the import window on n different lines.
void WindowRuns(testsupport::TempDir& dir, QuietSeam& seam, size_t n, double& browse, double& preview) {
  std::string text;
  for (size_t i = 0; i < n; ++i) text += "Item number " + std::to_string(1000000 + i) + "\r\n";
  seam.file = dir.AddFile("window" + std::to_string(n) + ".txt", text);
  TfrmFileImport& w = *frmFileImport;
  w.btnFileImportClearClick();  // the lists of an earlier run go outside the timing
  browse = bench::Seconds([&] { w.btnFileImportBrowseClick(); });
  preview = bench::Seconds([&] { w.btnFileImportFromClick(); });
  if (w.lstFileImportSource.Count() != int(n) || w.lstFileImportResults.Count() != int(n))
    std::printf("unexpected counts %d %d\n", w.lstFileImportSource.Count(), w.lstFileImportResults.Count());
}

} // namespace

int main() {
  testsupport::TempDir dir;
  const size_t count = 1000000;
  std::string plain, separated, quoted;
  plain.reserve(count * 24);
  separated.reserve(count * 60);
  for (size_t i = 0; i < count; ++i) {
    const std::string n = std::to_string(100000 + i);
    plain += "Folder name " + n + "\r\n";
    separated += "alpha;beta " + n + ";" + n + ";gamma;delta\r\n";
    quoted += "alpha;\"beta " + n + "\";" + n + ";gamma;delta\r\n";
  }
  const std::string plainPath = dir.AddFile("plain.txt", plain);
  const std::string separatedPath = dir.AddFile("separated.csv", separated);
  const std::string quotedPath = dir.AddFile("quoted.csv", quoted);

  Compare("import engine, one string a line", plainPath, core::kImportPlainText, count);
  Compare("import engine, 5 separated fields a line", separatedPath, core::kImportAllFields, count);
  Compare("import engine, column 3 of 5 fields", separatedPath, core::kImportOneField, count);
  Compare("import engine, 5 fields, one quoted, marks removed", quotedPath, core::kImportAllFields, count, true);

  // The import window, headless.
  QuietSeam seam;
  ui::InstallSeam(&seam);
  SetCurrentDirectoryA(dir.Path().c_str());  // the program's settings file goes there
  ui::App().Initialize();
  CreateProgramWindows();
  double b1, p1, b2, p2;
  WindowRuns(dir, seam, 100000, b1, p1);
  WindowRuns(dir, seam, 200000, b2, p2);
  bench::Report("import window Browse, 200,000 lines", 200000, b2, "lines");
  bench::Report("import window Create/Preview, 200,000 items", 200000, p2, "items");
  std::printf("doubling the input: Browse %.2fx, Preview %.2fx the time\n", b2 / b1, p2 / p1);

  // The string-list page's editor: OK and hand-back of 30,000 lines, and the
  // line count after a change of a 30,000-line memo.
  StringListPage& m = frmMain->Vol02;
  TfrmEditIncludeList& editor = *frmVol02EditIncludeList;
  std::vector<std::string> lines;
  for (int i = 0; i < 30000; ++i) lines.push_back("String number " + std::to_string(100000 + i));
  editor.SetPage(m.Lists.Page());
  editor.mmoEditIncludeList.SetLines(lines);
  const double tk = bench::Seconds([&] { editor.CountLines(); });
  const double to = bench::Seconds([&] { editor.btnEditOkClick(); });
  const double tr = bench::Seconds([&] { m.Lists.Refresh(); });
  std::printf("editor, 30,000 lines: a recount %.4f s, OK and hand-back %.3f s, page refresh %.3f s\n", tk, to, tr);
  if (m.lstVol02IncludeStrings.Count() != 30000) std::printf("unexpected count\n");
  // The page's moves of every string to the exclude list and back, on 15,000
  // strings and on all 30,000: doubling the list should about double the time.
  double moves[2];
  for (int k = 0; k < 2; ++k) {
    m.lstVol02IncludeStrings.Clear();
    m.lstVol02IncludeStrings.AddStrings(std::vector<std::string>(lines.begin(), lines.begin() + 15000 * (k + 1)));
    moves[k] = bench::Seconds([&] {
      m.lstVol02IncludeStrings.SelectAll();
      m.Lists.Move(true, true);
      m.Lists.Move(false, false);
    });
  }
  bench::Report("string list: moves there and back, 30,000 strings", 60000, moves[1], "moves");
  std::printf("doubling the list: moves %.2fx the time\n", moves[1] / moves[0]);
  ui::App().DestroyForms();
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so the temporary folder can go
  return 0;
}
