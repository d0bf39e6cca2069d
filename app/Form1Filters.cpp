// What each input box lets the user type, and the 12-character limit of the principal box.
#include "app/Form1.h"

#include "app/InputBox.h"
#include "grid/TypedCharacter.h"

namespace {

constexpr std::int16_t kFullStop = 46;
constexpr std::int16_t kDigitZero = 48;
// The colon, one above the digit 9, is let through as well.
constexpr std::int16_t kColon = 58;

constexpr qsizetype kPrincipalMaxCharacters = 12;

// Backspace always passes; otherwise only codes from lowest to the colon. Codes compare as signed
// 16-bit values, so negative codes are discarded with the rest.
void keepCodesFrom(std::int16_t lowest, std::int16_t& keyAscii) {
    if (keyAscii == TypedCharacter::kBackspace)
        return;
    if (keyAscii < lowest || keyAscii > kColon)
        keyAscii = 0;
}

// Characters as the user sees them: a pair of surrogates is one character.
qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++count;
    }
    return count;
}

} // namespace

// Whole years and a calendar year: digits only.
void Form1::Text1_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kDigitZero, keyAscii);
}

void Form1::Text6_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kDigitZero, keyAscii);
}

// Amounts and the rate: digits and a decimal point (the slash sits between them and passes too).
void Form1::Text2_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kFullStop, keyAscii);
}

void Form1::Text3_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kFullStop, keyAscii);
}

void Form1::Text4_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kFullStop, keyAscii);
}

void Form1::Text5_KeyPress(std::int16_t& keyAscii) {
    keepCodesFrom(kFullStop, keyAscii);
}

// An edit that takes the principal past 12 characters is undone whole: the last text that fitted comes
// back, with the caret at its end. Putting it back changes the text again, and that nested change finds
// it short enough and keeps it.
void Form1::Text3_Change() {
    const QString text = Text3->text();
    if (characterCount(text) <= kPrincipalMaxCharacters) {
        SavedPrincipalText = text;
        return;
    }
    if (m_beeper)
        m_beeper();
    Text3->setText(SavedPrincipalText);
    Text3->setCursorPosition(static_cast<int>(Text3->text().size()));
}
