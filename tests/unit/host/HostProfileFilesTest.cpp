#include "ProfileFilesContract.h"

#include <unistd.h>

namespace {

TEST_F(ProfileFilesContractTest, ReadOnlyFileDeniesAccess) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    std::vector<std::uint8_t> bytes(4, 1);
    ASSERT_EQ(files.WriteWhole(PathOf("Profile1.cfg"), bytes), FileStatus::Ok);
    std::filesystem::permissions(NativeOf("Profile1.cfg"), std::filesystem::perms::owner_read);
    EXPECT_EQ(files.OpenExisting(PathOf("Profile1.cfg")), FileStatus::AccessDenied);
}

}  // namespace
