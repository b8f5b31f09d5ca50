#include <windows.h>

#include "ProfileFilesContract.h"

namespace {

// Windows reports a denied access for a folder opened as a file; unlike a
// read-only attribute, that holds under Wine run as root too.
TEST_F(ProfileFilesContractTest, FolderInPlaceOfTheFileDeniesAccess) {
    std::filesystem::create_directory(NativeOf("Profile1.cfg"));
    EXPECT_EQ(files.OpenExisting(PathOf("Profile1.cfg")), FileStatus::AccessDenied);
    std::vector<std::uint8_t> bytes(4, 1);
    EXPECT_NE(files.WriteWhole(PathOf("Profile1.cfg"), bytes), FileStatus::Ok);
}

}  // namespace
