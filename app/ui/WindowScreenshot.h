#pragma once
// `corpometer --screenshot FILE.png`: the main window drawn into a PNG file, never shown, so
// that a branding (3.dat and its banner) can be checked before it is handed out.

#include <QString>

class QWidget;

namespace ui {

// Draws the loaded, not yet shown `window` as it first appears and writes it to `path` as a PNG file. A file
// already at `path` is replaced only once the new one is complete. Returns false with
// `error` set when the picture cannot be written.
bool WriteScreenshot(QWidget& window, const QString& path, QString& error);

}  // namespace ui
