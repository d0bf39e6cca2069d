#pragma once

#include "app/ControlTable.h"

#include <QColor>

#include <cstdint>

class QWidget;

// Creates one control of the window from its design entry: the widget of its kind, its object name,
// caption, place and size (twips converted to pixels), visibility, colours and font.
namespace ControlFactory {

QWidget* create(const ControlDesign& design, QWidget& window);

// The principal box is drawn on the desktop's tooltip colour (pale yellow in the usual schemes), its text
// in the desktop's text colour where that reads on it, else in black. Call again when the scheme changes.
void followDesktopColours(QWidget& control);

// A 24-bit colour with red in the low byte (255 red, 16777215 white) as a QColor.
QColor colourFromRgbValue(std::uint32_t value);

} // namespace ControlFactory
