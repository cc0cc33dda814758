// Opens the Quote/Unquote dialog on sign histories of several sizes and shapes and times each
// opening: creating the dialog, reading the settings and the history, filling both sign lists,
// and closing it again (a dismiss posted at the end of its initialisation). Prints the median of
// the runs, its ratio to the median opening without a history, and the process's peak working set
// after each case. The target: a 10,000-line history opens in at most 3 times the time of none, and
// every history, whatever its size, in bounded time and memory.
// Usage: history_bench [runs]   (default 5)

#include "settings/data_paths.h"
#include "settings/sign_history.h"
#include "ui/quote_dlg.h"
#include "win/unique_handle.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

using tessel::unique_hfile;

constexpr double kTargetRatio = 3.0;

// What a real history has: mostly distinct signs with the usual short ones among them.
std::string MixedLines(int lines)
{
    static const char* const kCommon[] = {"> ", ">", "|", ">>", "a: ", "# "};
    std::string bytes;
    for (int i = 0; i < lines; ++i)
    {
        bytes += i % 4 == 0 ? std::string(kCommon[i / 4 % 6]) : "sign " + std::to_string(i);
        bytes += "\r\n";
    }
    return bytes;
}

// Distinct signs in the order the lists sort them, or the reverse.
std::string OrderedLines(int lines, bool ascending)
{
    std::string bytes;
    for (int i = 0; i < lines; ++i)
    {
        char sign[16];
        std::snprintf(sign, sizeof sign, "sign %06d\r\n", ascending ? i : lines - 1 - i);
        bytes += sign;
    }
    return bytes;
}

// As many distinct signs as the part of the file that is read can hold: four characters each,
// newest last, so the dialog gets the most entries it can ever get.
std::string MostDistinctSigns()
{
    std::string bytes;
    for (int i = 0; bytes.size() < tessel::kHistoryReadLimit + 1024; ++i)
    {
        int n = i;
        for (int digit = 0; digit < 4; ++digit, n /= 36)
            bytes += "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36];
        bytes += "\r\n";
    }
    return bytes;
}

// A file of `size` bytes that ends with `tail`; the bytes before it are a hole of zeros, so a
// file of gigabytes takes no time to make.
bool WriteFileEndingWith(const std::string& path, unsigned long long size, const std::string& tail)
{
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || size < tail.size())
        return false;
    DWORD returned = 0;
    DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(size - tail.size());
    DWORD written = 0;
    return SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
           WriteFile(file.get(), tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
           written == tail.size();
}

// A dialog that closes itself as soon as it has opened.
class OpenedDialog : public tessel::CQuoteDlg
{
  protected:
    BOOL OnInitDialog() override
    {
        const BOOL focusFirst = CQuoteDlg::OnInitDialog();
        PostMessageW(m_hWnd, WM_COMMAND, IDC_DISMISS, 0);
        return focusFirst;
    }
};

double OpeningMilliseconds()
{
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    {
        OpenedDialog dialog;
        dialog.SetInputText(L"text");
        if (dialog.DoModal() != 0)
            return -1;
    }
    QueryPerformanceCounter(&stop);
    return 1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double PeakWorkingSetMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

struct Case
{
    const char* name;
    std::function<bool(const std::string& path)> write; // null: no history file
};

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string folder =
        TempFolder() + "tessel-history-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr))
    {
        std::fprintf(stderr, "history_bench: cannot make %s\n", folder.c_str());
        return 1;
    }
    const std::string history = folder + "TesselHistory.lst";
    g_strIniPath = folder + "Tessel.ini";
    g_strHistoryPath = history;

    auto text = [](std::string bytes) {
        return [bytes = std::move(bytes)](const std::string& path) {
            return WriteFileEndingWith(path, bytes.size(), bytes);
        };
    };
    const Case cases[] = {
        {"no history", nullptr},
        {"10,000 lines", text(MixedLines(10000))},
        {"100,000 ascending lines", text(OrderedLines(100000, true))},
        {"100,000 descending lines", text(OrderedLines(100000, false))},
        {"200,000 lines", text(MixedLines(200000))},
        {"most distinct signs a read can hold", text(MostDistinctSigns())},
        {"3 GiB file, 200,000 lines at its end",
         [](const std::string& path) {
             return WriteFileEndingWith(path, 3ull << 30, MixedLines(200000));
         }},
    };

    // Each run of a case is paired with a run without a history, so that the ratio compares
    // openings made under the same load of the machine.
    int status = 0;
    for (const Case& c : cases)
    {
        std::vector<double> times, without;
        for (int run = -1; run < runs; ++run) // run -1 warms the file cache and is not counted
        {
            DeleteFileA(history.c_str());
            const double none = OpeningMilliseconds();
            if (c.write && !c.write(history))
            {
                std::fprintf(stderr, "history_bench: cannot write the history for %s\n", c.name);
                return 1;
            }
            const double ms = OpeningMilliseconds();
            if (run < 0)
                continue;
            if (ms < 0 || none < 0)
                status = 1;
            times.push_back(ms);
            without.push_back(none);
        }
        const double median = Median(times);
        const double ratio = median / Median(without);
        std::printf("%-38s %8.1f ms %6.1f x  peak working set %6.1f MB\n", c.name, median, ratio,
                    PeakWorkingSetMegabytes());
        if (std::string(c.name) == "10,000 lines" && ratio > kTargetRatio)
        {
            std::printf("  over the target of %.0f x\n", kTargetRatio);
            status = 1;
        }
    }
    DeleteFileA(history.c_str());
    DeleteFileA(g_strIniPath.c_str());
    RemoveDirectoryA(folder.c_str());
    return status;
}
