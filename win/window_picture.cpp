#include "win/window_picture.h"

#include "win/unique_handle.h"

namespace tessel
{
namespace
{

// A window's device context, given back when the object goes.
class WindowDc
{
  public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetWindowDC(window)) {}
    ~WindowDc()
    {
        if (m_dc != nullptr)
            ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
};

class MemoryDc
{
  public:
    explicit MemoryDc(HDC like) : m_dc(CreateCompatibleDC(like)) {}
    ~MemoryDc()
    {
        if (m_dc != nullptr)
            DeleteDC(m_dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return m_dc; }

  private:
    HDC m_dc;
};

template <typename T> void Append(std::string& bytes, const T& value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

std::string WindowBitmapFile(HWND window)
{
    // The timer that found the window may have come before all of its children painted.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    if (!GetWindowRect(window, &frame))
        return {};
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return {};

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as BMP files keep their rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);

    const WindowDc windowDc(window);
    const MemoryDc memoryDc(windowDc.get());
    if (windowDc.get() == nullptr || memoryDc.get() == nullptr)
        return {};
    void* bits = nullptr;
    const unique_hgdiobj bitmap(CreateDIBSection(windowDc.get(),
                                                 reinterpret_cast<const BITMAPINFO*>(&header),
                                                 DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr)
        return {};
    const HGDIOBJ previous = SelectObject(memoryDc.get(), bitmap.get());
    const bool copied =
        BitBlt(memoryDc.get(), 0, 0, width, height, windowDc.get(), 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memoryDc.get(), previous);
    if (!copied)
        return {};

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string bytes;
    bytes.reserve(file.bfSize);
    Append(bytes, file);
    Append(bytes, header);
    bytes.append(static_cast<const char*>(bits), header.biSizeImage);
    return bytes;
}

} // namespace tessel
