// Captions drawn onto the pictures of buttons and switches: one character at a time from the
// left of the caption rectangle, never wrapped, clipped to the rectangle.
#pragma once

#include <QImage>
#include <string>

#include "book/element_records.h"

namespace shelf {

// Picture names: buttons "up", "mv", "dn"; switches "up", "mvup", "mvdn", "dn".
void DrawButtonCaption(QImage& picture, const RBtn& button, const std::string& pictureName);
void DrawSwitchCaption(QImage& picture, const RSwthOne& element, const std::string& pictureName);
void DrawGroupCaption(QImage& picture, const RSwthGrp& element, const std::string& pictureName);

}  // namespace shelf
