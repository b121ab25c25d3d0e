// Where the store file lives.
#include "store_location.h"

#include "store_bytes.h"

#include <cstdlib>
#include <optional>
#include <unistd.h>

using namespace kesvane;
using namespace store_test;

namespace {

class StoreLocation : public StoreTest {
protected:
    void TearDown() override {
        set_run_directory("");
        restore("XDG_DATA_HOME", saved_data_home_);
        restore("HOME", saved_home_);
        StoreTest::TearDown();
    }

private:
    static std::optional<std::string> saved(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    std::optional<std::string> saved_data_home_ = saved("XDG_DATA_HOME");
    std::optional<std::string> saved_home_ = saved("HOME");
};

} // namespace

TEST_F(StoreLocation, TheStoreLivesBesideTheProgram) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(program_directory(), program.parent_path().string());
    // The test's own folder is writable.
    EXPECT_EQ(run_directory(), program_directory());
    EXPECT_EQ(store_path(), program_directory() + "/Danhao.edb");
}

TEST_F(StoreLocation, TestsCanMoveTheRunDirectory) {
    set_run_directory(folder());
    EXPECT_EQ(run_directory(), folder());
    EXPECT_EQ(store_path(), folder() + "/Danhao.edb");
    set_run_directory("");
    EXPECT_EQ(run_directory(), program_directory());
}

TEST_F(StoreLocation, TheUserDataFolderFollowsXdgAndIsCreated) {
    setenv("XDG_DATA_HOME", (folder() + "/data").c_str(), 1);
    EXPECT_EQ(user_data_directory(), folder() + "/data/kesvane");
    EXPECT_TRUE(std::filesystem::is_directory(folder() + "/data/kesvane"));

    setenv("HOME", (folder() + "/home").c_str(), 1);
    const char* ignored[] = {"", "relative/path"};
    for (const char* value : ignored) {
        setenv("XDG_DATA_HOME", value, 1);
        EXPECT_EQ(user_data_directory(), folder() + "/home/.local/share/kesvane") << value;
    }
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(user_data_directory(), folder() + "/home/.local/share/kesvane");

    write_bytes(folder() + "/blocked", "a file where a folder should be");
    setenv("XDG_DATA_HOME", (folder() + "/blocked").c_str(), 1);
    EXPECT_EQ(user_data_directory(), "");
}
