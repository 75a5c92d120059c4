// The form the framework tests start from: a client area of 300 x 200 pixels with one button.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace framework_test {

// A message of the tests' own, for handlers to react to.
inline constexpr UINT kProbe = WM_APP + 1;

struct FormTest : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetClientSize(300, 200);
    button = new fw::TButton(form.get());
    button->SetBounds(10, 10, 80, 25);
    button->SetParent(form.get());
  }
  // Before the members of derived fixtures go, which handlers of the form may use.
  void TearDown() override { form.reset(); }
  std::unique_ptr<fw::TForm> form;
  fw::TButton* button = nullptr;
  std::vector<std::string> log;
};

}  // namespace framework_test
