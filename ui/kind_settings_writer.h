// Writes kind data blocks in the stored form, each at its kind's current version.
#pragma once
#include <cstdint>

#include "ui/form_writer.h"
#include "ui/kind_settings.h"

// A LOGFONTA's fields, for fonts held as kind data; stored as kLogFontLength bytes.
struct LogFontFields {
  int32_t height, width, escapement, orientation, weight;
  uint8_t italic, underline, strikeOut, charSet;
  uint8_t outPrecision, clipPrecision, quality, pitchAndFamily;
  char faceName[32];  // zero-filled
};

// Lays the font out as a LOGFONTA, little-endian, into out.
void encodeLogFont(const LogFontFields &font, unsigned char (&out)[kLogFontLength]);

// Each appends the version word and every setting of its kind's layout.
void writeWindowSettings(FormWriter *writer, const WindowSettings &settings);
void writeLabelSettings(FormWriter *writer, const LabelSettings &settings);
void writeButtonSettings(FormWriter *writer, const ButtonSettings &settings);
// A timer at its defaults is stored as an empty block.
void writeTimerSettings(FormWriter *writer, const TimerSettings &settings);
