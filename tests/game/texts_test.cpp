// Every player-facing text decodes from GBK to exactly its Unicode form.
#include <gtest/gtest.h>

#include <string>

#include "game/texts.h"
#include "platform/gbk.h"

namespace {

struct Expected {
    const char* gbk;
    const char* unicode;
};

const Expected kTexts[] = {
    {text::kTitle, "Trivanta"},
    {text::kStart, "start"},
    {text::kHelp, "help"},
    {text::kExit, "exit"},
    {text::kBack, "back"},
    {text::kNext, "next"},
    {text::kGameOver, "Game over"},
    {text::kHei, "黑体"},
    {text::kSong, "宋体"},
    {text::kEasy, "简单"},
    {text::kMedium, "中等"},
    {text::kHard, "困难"},
    {text::kVeryHard, "超难"},
    {text::k40, "40"},
    {text::k120, "120"},
    {text::k220, "220"},
    {text::kNoTarget, "无"},
    {text::kNextPiece, "下一个"},
    {text::kMode, "模式"},
    {text::kTargetLabel, "目标分:"},
    {text::kScoreLabel, "分数:"},
    {text::kInitialScore, "0"},
    {text::kPressQ, "按Q键"},
    {text::kToQuit, "退出"},
    {text::kChooseColour, "请选择一个颜色"},
    {text::kChooseRed, "红色请按“R”键"},
    {text::kChooseGreen, "绿色请按“G”键"},
    {text::kChooseBlue, "蓝色请按“B”键"},
    {text::kChooseYellow, "黄色请按“Y”键"},
    {text::kChooseOrange, "橙色请按“O”键"},
    {text::kChoosePurple, "紫色请按“P”键"},
    {text::kHelpTitle, "帮助"},
    {text::kHelp1Line1, "游戏使用W、S、A、D四个键进行"},
    {text::kHelp1Line2, "操作,A、D键左右移动方块，W键交换"},
    {text::kHelp1Line3, "方块的颜色,S键使方块直接落下。当"},
    {text::kHelp1Line4, "横、竖或斜向有三个以上的方块颜色"},
    {text::kHelp1Line5, "相同时便可消去，上面的方块会落下"},
    {text::kHelp1Line6, "来，消去方块会得分。"},
    {text::kHelp2Line1, "当得分超过40分后，将会出现一"},
    {text::kHelp2Line2, "些特殊方块。每个都有特殊功能哦！"},
    {text::kHelp2Line3, "其中那个灰色的方块可不是什么好东"},
    {text::kHelp2Line4, "西，但那些白色方块(包括圆形方块)"},
    {text::kHelp2Line5, "对你的游戏会有很大帮助。这些白色"},
    {text::kHelp2Line6, "方块不很经常出现，但一出现你100%"},
    {text::kHelp2Line7, "得分。赶快体验吧！"},
    {text::kArrow, "→"},
    {text::kBeforeClearing, "消除前"},
    {text::kCaptionTop, "蓝色方     上面方"},
    {text::kCaptionBottom, "块消除     块落下"},
    {text::kScoresThree, "得3分"},
};

TEST(Texts, DecodeToTheirUnicodeForms) {
    for (const Expected& expected : kTexts) {
        EXPECT_EQ(platform::gbkToUtf8(expected.gbk), expected.unicode) << expected.unicode;
    }
}

}  // namespace
