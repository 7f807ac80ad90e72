#pragma once

#include <ctime>
#include <filesystem>

struct SDL_Surface;

namespace Zandrel
{

// Keeps pictures of the window as PNG files named zandrel-YYYYMMDD-HHMMSS.png (local time) in one folder; a second
// picture within the same second is zandrel-YYYYMMDD-HHMMSS-2.png, then -3, and so on, so none is overwritten.
class Screenshots final
{
public:
    explicit Screenshots(std::filesystem::path pictureFolder);

    // Creates the folder when needed, writes `picture` into a new file and writes the information line
    // "Bildschirmfoto gespeichert: " + path. A picture that cannot be written gives a warning line instead.
    void Save(SDL_Surface& picture) const;
    // The first name for a picture taken at `now` that no file has yet.
    [[nodiscard]] std::filesystem::path NewFile(std::time_t now) const;

private:
    std::filesystem::path folder;
};

} // namespace Zandrel
