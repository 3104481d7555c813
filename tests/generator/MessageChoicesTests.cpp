// Dialog parameters, MessageBox flags and the window's dependent lists.
#include <gtest/gtest.h>

#include "ChoiceLists.h"
#include "MessageChoices.h"

using namespace vellumor;

namespace {
MessageChoices SelectOnly(bool MessageChoices::*box) {
  MessageChoices c;
  c.cbMDOK = false;
  c.*box = true;
  return c;
}
}  // namespace

TEST(MessageDlgParams, WindowStartUpIsInformationWithOK) {
  MessageDlgParams p = GetMessageDlgParams(MessageChoices{});
  EXPECT_EQ(p.dialogType, 2);
  EXPECT_EQ(p.buttons, 0x004);
}

TEST(MessageDlgParams, EachBoxAddsItsOwnBit) {
  // Yes To All and No To All sit at bits 9 and 8: the listing order is not the bit order.
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDYes)).buttons, 0x001);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDNo)).buttons, 0x002);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDCancel)).buttons, 0x008);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDAbort)).buttons, 0x010);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDRetry)).buttons, 0x020);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDIgnore)).buttons, 0x040);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDAll)).buttons, 0x080);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDNoToAll)).buttons, 0x100);
  EXPECT_EQ(GetMessageDlgParams(SelectOnly(&MessageChoices::cbMDYesToAll)).buttons, 0x200);
}

TEST(MessageDlgParams, PresetsIgnoreTheBoxesAndHelpAddsInBothModes) {
  MessageChoices c;
  c.rbMDPreset = true;
  c.cbMDAbort = true;  // ignored in preset mode
  const ButtonSet expected[] = {0x00C, 0x00B, 0x30B, 0x070, 0x050};
  for (int i = 0; i < 5; ++i) {
    c.edMDPreset = i;
    EXPECT_EQ(GetMessageDlgParams(c).buttons, expected[i]) << "preset " << i;
  }
  c.edMDPreset = 2;
  c.cbMDHelp = true;
  EXPECT_EQ(GetMessageDlgParams(c).buttons, 0x70B);
  c.rbMDPreset = false;
  EXPECT_EQ(GetMessageDlgParams(c).buttons, 0x004 | 0x010 | 0x400);
}

TEST(MessageDlgParams, OutOfRangeIndexesBehaveAsIndexZero) {
  MessageChoices c;
  c.rbMDPreset = true;
  for (int bad : {-1, 5, 1 << 30}) {
    c.edStyle = bad;
    c.edMDPreset = bad;
    MessageDlgParams p = GetMessageDlgParams(c);
    EXPECT_EQ(p.dialogType, 0);
    EXPECT_EQ(p.buttons, 0x00C);
  }
}

TEST(MessageDlgParams, NoBoxTickedInSelectModeIsTheEmptySet) {
  MessageChoices c;
  c.cbMDOK = false;
  EXPECT_EQ(GetMessageDlgParams(c).buttons, 0);
  EXPECT_TRUE(NoMessageDlgButtonSelected(c));
  c.cbMDHelp = true;  // Help alone does not count as a button to press
  EXPECT_TRUE(NoMessageDlgButtonSelected(c));
  c.rbMDPreset = true;
  EXPECT_FALSE(NoMessageDlgButtonSelected(c));
}

TEST(MessageBoxFlags, DefaultsAreTheInformationIconAlone) {
  EXPECT_EQ(GetMessageBoxFlags(MessageChoices{}), 64u);
}

TEST(MessageBoxFlags, SumsIconButtonsDefaultModalityOptionsAndHelp) {
  MessageChoices c;
  c.edStyle = 3;
  c.edMBPreset = 5;
  c.edMBDefault = 2;
  c.edMBModal = 2;
  c.clbMBOptions[4] = true;
  c.cbMBHelp = true;
  EXPECT_EQ(GetMessageBoxFlags(c), 287266u);  // 32 + 2 + 512 + 8192 + 0x40000 + 0x4000
}

TEST(MessageBoxFlags, EveryOptionAndOutOfRangeIndex) {
  MessageChoices c;
  c.edStyle = 7;      // warning
  c.edMBPreset = 9;   // OK
  c.edMBDefault = 4;  // first button
  c.edMBModal = -3;   // application modal
  c.clbMBOptions.fill(true);
  EXPECT_EQ(GetMessageBoxFlags(c), 48u + 0x20000 + 0x80000 + 0x100000 + 0x10000 + 0x40000 + 0x200000);
  c.clbMBOptions.fill(false);
  const std::uint32_t presets[] = {0, 1, 4, 5, 3, 2};
  for (int i = 0; i < 6; ++i) {
    c.edMBPreset = i;
    EXPECT_EQ(GetMessageBoxFlags(c), 48u + presets[i]);
  }
  c.edMBPreset = 0;
  c.edMBDefault = 3;
  c.edMBModal = 1;
  EXPECT_EQ(GetMessageBoxFlags(c), 48u + 0x300 + 0x1000);
}

TEST(ChoiceLists, MessageDlgResultsFollowPresetOrTickedBoxes) {
  MessageChoices c;
  EXPECT_EQ(MDCheckResultItems(c), ListItems{"OK"});
  c.cbMDNoToAll = c.cbMDYesToAll = c.cbMDAll = c.cbMDYes = true;
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"OK", "Yes", "All", "Yes To All", "No To All"}));
  c.cbMDHelp = true;  // Help never gives an item
  EXPECT_EQ(MDCheckResultItems(c).size(), 5u);
  c.rbMDPreset = true;
  c.edMDPreset = 2;
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"Yes", "No", "Cancel", "Yes To All", "No To All"}));
  c.edMDPreset = 42;
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"OK", "Cancel"}));
}

TEST(ChoiceLists, MessageBoxDefaultButtonsCountTheHelpButton) {
  EXPECT_EQ(MBDefaultItems(0, false), ListItems{"1st button"});
  EXPECT_EQ(MBDefaultItems(0, true), (ListItems{"1st button", "2nd button"}));
  EXPECT_EQ(MBDefaultItems(1, true), (ListItems{"1st button", "2nd button", "3rd button"}));
  EXPECT_EQ(MBDefaultItems(4, true).back(), "4th button");
  EXPECT_EQ(MBDefaultItems(-1, false), ListItems{"1st button"});
  EXPECT_EQ(MBCheckResultItems(3), (ListItems{"Retry", "Cancel"}));
  EXPECT_EQ(MBCheckResultItems(5), (ListItems{"Abort", "Retry", "Ignore"}));
}

TEST(ChoiceLists, KeepingTheSelection) {
  ListItems items{"Yes", "No", "Cancel"};
  EXPECT_EQ(KeptSelection("Cancel", items), 2);
  EXPECT_EQ(KeptSelection("OK", items), 0);      // gone: the first item
  EXPECT_EQ(KeptSelection("", items), 0);        // nothing was selected
  EXPECT_EQ(KeptSelection("Cancel", {}), -1);    // empty list: nothing selected
  EXPECT_EQ(KeptSelection("cancel", items), 0);  // exact text only
}
