// Dialog templates made in memory for the tests of skinned system dialogs.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

// A dialog template built in memory: the header, then each item DWORD-aligned.
class TDialogTemplate {
 public:
  TDialogTemplate(DWORD style, const wchar_t* title, short cx, short cy) {
    Add<DLGTEMPLATE>({style | DS_SETFONT, 0, 0, 20, 20, cx, cy});
    Words({0, 0});  // no menu, the dialog class
    Text(title);
    Words({8});
    Text(L"MS Shell Dlg");
  }
  void Item(const wchar_t* cls, const wchar_t* text, DWORD style, short x, short y, short cx,
            short cy, WORD id) {
    Align();
    Add<DLGITEMTEMPLATE>({style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id});
    Text(cls);
    Text(text);
    Words({0});
    ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  template <class T>
  void Add(const T& value) {
    auto p = reinterpret_cast<const char*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof(T));
  }
  void Words(std::initializer_list<WORD> words) {
    for (WORD w : words) Add(w);
  }
  void Text(const wchar_t* text) {
    for (; *text; ++text) Add(WORD(*text));
    Add(WORD(0));
  }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<char> bytes_;
};
