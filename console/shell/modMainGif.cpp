#include <windows.h>
#include <olectl.h>

#include <ctime>
#include <optional>

#include "EnvironmentText.h"
#include "FileSystem.h"
#include "ResourcePictures.h"
#include "modMain.h"

namespace modMain {

namespace {

// "kxgif" and the time of day as hour, minute and second without leading
// zeros: 09:05:03 gives kxgif953.gif.
std::string TemporaryName() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string name =
        "kxgif" + std::to_string(now.wHour) + std::to_string(now.wMinute) + std::to_string(now.wSecond) + ".gif";
    const std::optional<std::string> folder = ExpandedEnvironmentText("%TEMP%");
    if (!folder || *folder == "%TEMP%") {
        return "c:\\" + name;
    }
    return *folder + "\\" + name;
}

HBITMAP PictureFromFile(const std::string& path) {
    const std::string bytes = FileSystem::ReadWholeFile(path);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    HBITMAP copy = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, &stream)) &&
        SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture)))) {
        OLE_HANDLE handle = 0;
        short type = 0;
        if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle))) {
            copy = static_cast<HBITMAP>(
                CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
        }
        picture->Release();
    }
    if (stream) {
        stream->Release();
    } else {
        GlobalFree(memory);
    }
    return copy;
}

}  // namespace

// The logo is decoration: when it cannot be had, the picture box keeps its
// picture and nothing is reported, to the user, the log or the caller.
void LoadGifResource(HWND pictureBox, const std::string& resourceName) {
    try {
        const std::string bytes = LoadResBytes("GIF", resourceName);
        const std::string path = TemporaryName();
        HBITMAP bitmap = nullptr;
        try {
            FileSystem::WriteWholeFile(path, bytes);
            bitmap = PictureFromFile(path);
        } catch (const std::exception&) {
            // No file, no picture: the box keeps its own, silently.
        }
        // The file goes whether or not it could be written whole or read as a picture.
        FileSystem::DeleteFileIfPresent(path);
        if (bitmap == nullptr) {
            return;
        }
        HANDLE old = reinterpret_cast<HANDLE>(
            SendMessageA(pictureBox, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
        if (old) {
            DeleteObject(old);
        }
    } catch (const std::exception&) {
        // No such resource, or no temporary file to delete: silently, too.
    }
}

}  // namespace modMain
