// The rules box's text: the about header, an empty line, then the rules, whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "ui/rules_box.h"

namespace {

TEST(RulesBox, HeaderThenEmptyLineThenTheWholeRulesInBothLanguages) {
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "german" : "english");
        char16_t text[RULES_BOX_UNITS];
        std::fill(std::begin(text), std::end(text), u'#');
        rules_box_text(german, text);

        const std::u16string header = TXT_ABOUT_HEADER;
        const std::u16string rules = pick_text(TXT_RULES, german);
        const std::u16string shown = text; // stops at the terminator, which must be there
        ASSERT_LT(shown.size(), std::size_t{RULES_BOX_UNITS}) << "the text does not fit";
        EXPECT_EQ(shown, header + rules);
        // The header's last line ends, and the rules start with an empty line.
        EXPECT_EQ(shown.substr(header.size() - 1, 2), u"\r\r");
        EXPECT_EQ(shown.find(u"\r\r"), header.size() - 1);
    }
}

} // namespace
