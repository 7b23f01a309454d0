#pragma once

#include <QByteArray>
#include <QImage>

// A JPEG picture decoded with libjpeg; a null image for bytes that are not a whole, readable
// JPEG, never a crash.
QImage decodeJpeg(const QByteArray &bytes);
