#include "store_bytes.h"

#include "record_store.h"

namespace store_test {

void StoreTest::SetUp() {
    kesvane::close_store();
    std::string name = (std::filesystem::temp_directory_path() / "store_test.XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    folder_ = name;
}

void StoreTest::TearDown() {
    kesvane::close_store();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace store_test
