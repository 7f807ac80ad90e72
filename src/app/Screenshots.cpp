#include "app/Screenshots.h"

#include "Common/MyLog.h"

#include <SDL_image.h>
#include <array>
#include <string>
#include <system_error>
#include <utility>

namespace Zandrel
{

namespace
{

namespace fs = std::filesystem;
using Quarnel::Common::MyLog;

void Refuse(const fs::path& where, const std::string& why)
{
    MyLog::Warning("Bildschirmfoto nicht gespeichert: " + where.string() + ": " + why);
}

} // namespace

Screenshots::Screenshots(fs::path pictureFolder) : folder(std::move(pictureFolder)) {}

fs::path Screenshots::NewFile(std::time_t now) const
{
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> stamp{};
    (void)std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string base = std::string("zandrel-") + stamp.data();
    fs::path file = folder / (base + ".png");
    std::error_code ignored;
    for (int number = 2; fs::exists(file, ignored); ++number)
        file = folder / (base + "-" + std::to_string(number) + ".png");
    return file;
}

void Screenshots::Save(SDL_Surface& picture) const
{
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (failed)
    {
        Refuse(folder, failed.message());
        return;
    }
    const fs::path file = NewFile(std::time(nullptr));
    if (IMG_SavePNG(&picture, file.c_str()) != 0)
    {
        Refuse(file, IMG_GetError());
        return;
    }
    MyLog::Info("Bildschirmfoto gespeichert: " + file.string());
}

} // namespace Zandrel
