// A window controller of its own for each test: fake ports, a game folder, a loaded window.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "match/fakes.h"
#include "match/form1.h"

namespace velk::fakes {

class FormTest : public ::testing::Test {
  protected:
    FakePorts f;
    std::filesystem::path dir;
    std::unique_ptr<Form1> form;

    // Makes the test's game folder (prefix and the test's name) and loads the window in it.
    void open(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = makeGameFolder(prefix + info->name());
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

}  // namespace velk::fakes
