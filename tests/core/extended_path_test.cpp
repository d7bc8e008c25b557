// The \\?\ form the Windows host hands every path to the system in, worked
// out as text: it runs on every host.
#include <gtest/gtest.h>

#include "core/platform/win32/extended_path.h"

namespace modsetup {
namespace {

// What Windows makes of plain paths: relative to the working directory or a
// drive, rooted, on a share, with "/", doubled separators and "." and ".."
// pieces, names with a trailing dot; rows of path, base and result.
TEST(ExtendedPath, PlainPathsKeepTheirMeaningsInTheLongForm) {
    const std::wstring_view cases[][3] = {
        {L"D:x", L"D:\\Other", L"\\\\?\\D:\\Other\\x"},
        {L"\\x", L"\\\\server\\share\\dir", L"\\\\?\\UNC\\server\\share\\x"},
        {L"\\\\server\\share\\..\\x", L"C:\\", L"\\\\?\\UNC\\server\\share\\x"},
        {L"x", L"\\\\?\\C:\\Long", L"\\\\?\\C:\\Long\\x"},
        {L"\\\\server", L"C:\\", L""},
        {L"a\\\\b/./c\\..\\d", L"C:\\Games", L"\\\\?\\C:\\Games\\a\\b\\d"},
        {L"AK Night.", L"C:\\Games", L"\\\\?\\C:\\Games\\AK Night."},
        {L"..\\..\\..", L"C:\\Games", L"\\\\?\\C:\\"},
        {L"\\\\?\\C:\\kept as it is\\..", L"D:\\", L"\\\\?\\C:\\kept as it is\\.."},
        {L"", L"C:\\", L""},
    };
    for (const auto& [path, base, expected] : cases)
        EXPECT_EQ(extendedPath(path, base).value_or(L""), expected) << std::string(path.begin(), path.end());
}

}  // namespace
}  // namespace modsetup
