// Times LoadSignHistory on a history file of 100,000 lines.
// Usage: history_bench [loads]   (default 20)

#include "settings/sign_history.h"

#include "win/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

constexpr int kLines = 100000;

// Mostly distinct signs, with the usual short ones repeated among them as a real history has.
std::string MakeHistory()
{
    static const char* const kCommon[] = {"> ", ">", "|", ">>", "a: ", "# "};
    std::string bytes;
    for (int i = 0; i < kLines; ++i)
    {
        bytes += i % 4 == 0 ? std::string(kCommon[i / 4 % 6]) : "sign " + std::to_string(i);
        bytes += "\r\n";
    }
    return bytes;
}

// A fresh file in the temporary folder, deleted when the object goes away.
class TempFile
{
  public:
    TempFile()
    {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        if (GetTempPathA(MAX_PATH, folder) != 0 && GetTempFileNameA(folder, "tsb", 0, name) != 0)
            m_path = name;
    }
    ~TempFile()
    {
        if (!m_path.empty())
            DeleteFileA(m_path.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    const tessel::unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

double Milliseconds(LONGLONG ticks, LONGLONG frequency)
{
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

} // namespace

int main(int argc, char** argv)
{
    const int loads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    const TempFile file;
    const std::string history = MakeHistory();
    if (file.Path().empty() || !WriteWhole(file.Path(), history))
    {
        std::fprintf(stderr, "history_bench: cannot write the history file\n");
        return 1;
    }

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::size_t entries = 0;
    LONGLONG total = 0;
    LONGLONG best = 0;
    for (int run = -1; run < loads; ++run) // run -1 warms the file cache and is not counted
    {
        tessel::CStringList list;
        LARGE_INTEGER start;
        LARGE_INTEGER stop;
        QueryPerformanceCounter(&start);
        tessel::LoadSignHistory(file.Path(), list);
        QueryPerformanceCounter(&stop);
        entries = list.GetCount();
        if (run < 0)
            continue;
        const LONGLONG ticks = stop.QuadPart - start.QuadPart;
        total += ticks;
        best = run == 0 ? ticks : std::min(best, ticks);
    }

    std::printf("history_bench: %d lines (%zu bytes), %zu entries loaded, %d loads: "
                "%.2f ms per load (best %.2f ms)\n",
                kLines, history.size(), entries, loads,
                Milliseconds(total, frequency.QuadPart) / loads,
                Milliseconds(best, frequency.QuadPart));
    return entries == static_cast<std::size_t>(kLines) ? 0 : 1;
}
