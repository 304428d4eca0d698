#include "ui/kind_settings_writer.h"

#include <initializer_list>

namespace {

// Appends the span as counted bytes.
void writeSpan(FormWriter *writer, const ByteSpan &span) {
  writeCounted(writer, span.data, span.length);
}

}  // namespace

// Writes the fields in LOGFONTA's order: five 32-bit values, eight bytes, the face name.
void encodeLogFont(const LogFontFields &font, unsigned char (&out)[kLogFontLength]) {
  FormWriter w = makeFormWriter(out, kLogFontLength);
  writeInt(&w, font.height);
  writeInt(&w, font.width);
  writeInt(&w, font.escapement);
  writeInt(&w, font.orientation);
  writeInt(&w, font.weight);
  const uint8_t styleAndMapping[] = {font.italic,       font.underline,     font.strikeOut,
                                     font.charSet,      font.outPrecision,  font.clipPrecision,
                                     font.quality,      font.pitchAndFamily};
  writeBytes(&w, styleAndMapping, sizeof styleAndMapping);
  writeBytes(&w, font.faceName, sizeof font.faceName);
}

// Appends a version 6 window block.
void writeWindowSettings(FormWriter *writer, const WindowSettings &s) {
  const int32_t words[] = {kWindowKindVersion, s.borderStyle, s.pictureMode,
                           static_cast<int32_t>(s.backgroundColour), s.maximizeButton,
                           s.minimizeButton, s.controlBox, s.startPosition, s.movable,
                           s.soundPlayMode, s.enterMovesFocus, s.escCloses, s.f1OpensHelp,
                           s.helpContext, s.showInTaskbar, s.dragAnywhere, s.shape,
                           s.alwaysOnTop, s.keepTitleActive};
  for (int32_t word : words) writeInt(writer, word);
  for (const ByteSpan *span : {&s.className, &s.backgroundPicture, &s.icon, &s.backgroundSound,
                               &s.caption, &s.helpFile})
    writeSpan(writer, *span);
}

// Appends a version 2 label block.
void writeLabelSettings(FormWriter *writer, const LabelSettings &s) {
  const uint32_t words[] = {uint32_t(kLabelKindVersion), uint32_t(s.textEffect),
                            uint32_t(s.gradientBorderWidth), uint32_t(s.borderStyle),
                            s.gradientBorderColours[0], s.gradientBorderColours[1],
                            s.gradientBorderColours[2], s.textColour, s.backgroundColour,
                            uint32_t(s.pictureMode), uint32_t(s.gradientBackground),
                            s.gradientBackgroundColours[0], s.gradientBackgroundColours[1],
                            s.gradientBackgroundColours[2], uint32_t(s.horizontalAlignment),
                            uint32_t(s.verticalAlignment), uint32_t(s.wordWrap)};
  for (uint32_t word : words) writeWord(writer, word);
  for (const ByteSpan *span : {&s.font, &s.picture, &s.caption, &s.bindingText1, &s.bindingText2})
    writeSpan(writer, *span);
}

// Appends a version 1 button block.
void writeButtonSettings(FormWriter *writer, const ButtonSettings &s) {
  for (int32_t word : {kButtonKindVersion, s.buttonType, s.horizontalAlignment,
                       s.verticalAlignment})
    writeInt(writer, word);
  for (const ByteSpan *span : {&s.picture, &s.font, &s.caption}) writeSpan(writer, *span);
}

// Appends nothing for a stopped timer, else a version 1 block with the period.
void writeTimerSettings(FormWriter *writer, const TimerSettings &s) {
  if (s.period == defaultTimerSettings().period) return;
  writeInt(writer, kTimerKindVersion);
  writeInt(writer, s.period);
}
