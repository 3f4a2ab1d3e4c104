// System message boxes: a text, a caption and a style; the answer is the button chosen.
//
// A Linux desktop program has no handset dialog to show, so the text goes to standard error
// and the log, and the box answers with its first button.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Utf8.h"

namespace platform {

// Styles: the button set in the low 4 bits, the icon above it.
inline constexpr std::uint32_t kMessageBoxOk = 0x0;
inline constexpr std::uint32_t kMessageBoxYesNo = 0x4;
inline constexpr std::uint32_t kMessageBoxButtonMask = 0xF;
inline constexpr std::uint32_t kMessageBoxIconExclamation = 0x30;

// Answers.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows text (UTF-16) under caption and returns the answer.
    virtual int show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) = 0;
};

// Writes "caption: text" in UTF-8 to standard error and the log; answers OK (Yes for a
// yes/no box).
class ConsoleMessageBox final : public MessageBoxService {
public:
    int show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) override;
};

// Records every box and gives a scripted answer.
class ScriptedMessageBox final : public MessageBoxService {
public:
    struct Shown {
        std::u16string text;
        std::u16string caption;
        std::uint32_t style;
    };
    int show(const std::u16string& text, const std::u16string& caption, std::uint32_t style) override;

    int answer = kAnswerOk;
    std::vector<Shown> shown;
};

MessageBoxService& messageBox();
MessageBoxService* installMessageBox(MessageBoxService* replacement);

} // namespace platform
