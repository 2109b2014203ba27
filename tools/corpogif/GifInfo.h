#pragma once
// The inspector's view of a loaded image: one JSON object with the screen, the loop count,
// the global palette and every frame's fields and pixel fingerprints.

#include <string>

namespace gif {
class GifImage;
}  // namespace gif

namespace corpogif {

// version is the file's 3-character GIF version ("87a", "89a"), or empty when unknown;
// damage is empty for a complete file, else what the load found wrong. A file that did not
// load gives {"loaded": false} alone.
std::string GifInfoJson(const gif::GifImage& gif, bool loaded, const std::string& version,
                        const std::string& damage);

}  // namespace corpogif
