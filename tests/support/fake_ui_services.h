// A clipboard and message box for tests: the clipboard is a string the test sets and reads, the
// messages are collected instead of shown, and opening the clipboard can be made to fail.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/ui_services.h"

class FakeUiServices : public UiServices {
 public:
  bool OpenClipboard() override {
    if (!canOpen) return false;
    ++openCount;
    isOpen = true;
    return true;
  }
  void CloseClipboard() override { isOpen = false; }
  bool SetClipboardText(const std::string& text) override {
    if (!isOpen) return false;
    clipboard = text;
    return true;
  }
  std::optional<std::string> GetClipboardText() override {
    if (!isOpen) return std::nullopt;
    return clipboard;
  }
  // Kept as the source text, its places filled in.
  void ShowMessage(const TextMessage& message) override { messages.push_back(message.Text()); }
  // Answers with `saveAnswer` and keeps the file name asked about.
  SaveAnswer AskSaveChanges(const std::string& fileName) override {
    saveQuestions.push_back(fileName);
    return saveAnswer;
  }

  // Answers with `overwriteAnswer` and keeps the question asked.
  OverwriteAnswer AskOverwrite(const TextMessage& question) override {
    overwriteQuestions.push_back(question.Text());
    return overwriteAnswer;
  }

  bool canOpen = true;
  bool isOpen = false;
  int openCount = 0;
  std::optional<std::string> clipboard;
  std::vector<std::string> messages;
  SaveAnswer saveAnswer = SaveAnswer::kCancel;
  std::vector<std::string> saveQuestions;
  OverwriteAnswer overwriteAnswer = OverwriteAnswer::kOverwrite;
  std::vector<std::string> overwriteQuestions;
};
