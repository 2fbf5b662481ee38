#include "curl_library.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(CurlLibraryTest, LoadsTheSystemLibraryOrSaysWhyNot) {
  struct Case {
    const char* file;
    bool loads;
    const char* errorPart;  // a piece of the error text
  };
  const Case cases[] = {
      {kCurlLibraryName, true, ""},
      {"libtarvel-no-such-curl.so.4", false, "cannot load libtarvel-no-such-curl.so.4"},
      {"libz.so.1", false, "libz.so.1 lacks curl_global_init"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const CurlLoad load = LoadCurlLibrary(c.file);
    EXPECT_EQ(load.library.has_value(), c.loads);
    if (c.loads) {
      EXPECT_TRUE(load.error.empty()) << load.error;
      // Each function was found: a handle can be made and escapes text.
      CURL* curl = load.library->easy_init();
      ASSERT_NE(curl, nullptr);
      char* escaped = load.library->easy_escape(curl, "a b", 3);
      EXPECT_STREQ(escaped, "a%20b");
      load.library->free(escaped);
      load.library->easy_cleanup(curl);
    } else {
      EXPECT_NE(load.error.find(c.errorPart), std::string::npos) << load.error;
    }
  }
}

}  // namespace
}  // namespace tarvel
