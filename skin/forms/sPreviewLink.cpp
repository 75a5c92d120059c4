#include "skin/forms/sPreviewLink.h"

#include "skin/data/sSkinPaths.h"

namespace {

HWND previewWindow = nullptr;

}  // namespace

bool PreviewRequested() {
  std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
  return args.size() > 1 && args[1] == "/vepreview";
}

HWND PreviewWindow() {
  return previewWindow;
}

bool RegisterWithEditor(HWND form) {
  previewWindow = form;
  HWND editor = FindWindowA(nullptr, "Velvanes Editor");
  if (!editor) return false;
  for (int attempt = 0; attempt < 101; ++attempt)
    if (SendMessageA(editor, kPreviewEditorMsg, kPreviewRegister, reinterpret_cast<LPARAM>(form)) ==
        1)
      return true;
  return false;
}
