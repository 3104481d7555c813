// What the control tests share: a shown form whose handlers must not throw, and rectangles and
// flags written out, so a result compares as one value and prints when it differs.
#pragma once
#include <string>
#include <vector>

#include "FormFixture.h"

namespace vellumor::test {

class ControlTest : public FormTest {
 protected:
  // Nothing may escape a handler: the form's exception handler would only record it.
  void TearDown() override {
    EXPECT_EQ(errors, std::vector<std::string>{});
    FormTest::TearDown();
  }
};

// "left,top,right,bottom".
inline std::string Str(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace vellumor::test
