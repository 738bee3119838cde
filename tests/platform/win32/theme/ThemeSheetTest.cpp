// One golden sheet per visual-style class: every part in a row, every state in a column, drawn at the sizes the
// controls use. A part that lies on another (caption buttons on a caption, grippers on a thumb) is drawn on it.
#include "ThemeFixture.h"

#include <algorithm>

namespace {

struct Row {
    int part;
    int firstState;
    int lastState;
    SIZE cell;                          // 0 along an axis takes the part's true size
    int backdrop = 0;                   // a part drawn first under each cell
    bool captionBackdropState = false;  // the backdrop follows an active (1-4) or inactive (5-8) window
};

struct Sheet {
    const char16_t* className;
    const char* golden;
    std::vector<Row> rows;
};

constexpr int Gap = 4;

void DrawSheet(const Sheet& sheet) {
    HTHEME theme = OpenThemeData(nullptr, sheet.className);
    ASSERT_NE(theme, nullptr);
    std::vector<SIZE> cells;
    int width = 0, height = Gap;
    for (const Row& row : sheet.rows) {
        SIZE size{};
        ASSERT_EQ(GetThemePartSize(theme, nullptr, row.part, row.firstState, nullptr, TS_TRUE, &size), S_OK)
            << row.part;
        SIZE cell{row.cell.cx ? row.cell.cx : size.cx, row.cell.cy ? row.cell.cy : size.cy};
        cells.push_back(cell);
        width = std::max<int>(width, Gap + (row.lastState - row.firstState + 1) * (cell.cx + Gap));
        height += cell.cy + Gap;
    }
    DibCanvas canvas(width, height, 0x00F8F8F8u);
    int y = Gap;
    for (size_t i = 0; i < sheet.rows.size(); ++i) {
        const Row& row = sheet.rows[i];
        int x = Gap;
        for (int state = row.firstState; state <= row.lastState; ++state) {
            RECT rect{x, y, x + cells[i].cx, y + cells[i].cy};
            if (row.backdrop) {
                int backdropState = row.captionBackdropState ? (state > 4 ? 2 : 1) : state;
                ASSERT_EQ(DrawThemeBackground(theme, canvas.Dc(), row.backdrop, backdropState, &rect, nullptr), S_OK);
            }
            ASSERT_EQ(DrawThemeBackground(theme, canvas.Dc(), row.part, state, &rect, nullptr), S_OK)
                << "part " << row.part << " state " << state;
            x += cells[i].cx + Gap;
        }
        y += cells[i].cy + Gap;
    }
    EXPECT_TRUE(MatchesGolden(ThemeGoldenPath(sheet.golden), canvas.Width(), canvas.Height(), canvas.Bits()));
    CloseThemeData(theme);
}

TEST_F(ThemeTest, WindowSheet) {
    const SIZE button{0, 0};
    DrawSheet({u"Window",
               "theme-window.png",
               {{WP_CAPTION, CS_ACTIVE, CS_DISABLED, {160, 0}},
                {WP_SMALLCAPTION, CS_ACTIVE, CS_DISABLED, {160, 0}},
                {WP_MAXCAPTION, CS_ACTIVE, CS_DISABLED, {160, 0}},
                {WP_FRAMELEFT, FS_ACTIVE, FS_INACTIVE, {0, 40}},
                {WP_FRAMERIGHT, FS_ACTIVE, FS_INACTIVE, {0, 40}},
                {WP_FRAMEBOTTOM, FS_ACTIVE, FS_INACTIVE, {60, 0}},
                {WP_CLOSEBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_MINBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_MAXBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_RESTOREBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_HELPBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_SYSBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_SMALLCLOSEBUTTON, 1, 8, button, WP_MAXCAPTION, true},
                {WP_CLOSEBUTTON, 1, 8, {28, 28}, WP_MAXCAPTION, true},
                {WP_DIALOG, 1, 1, {60, 30}}}});
}

TEST_F(ThemeTest, ButtonSheet) {
    DrawSheet({u"Button",
               "theme-button.png",
               {{BP_PUSHBUTTON, PBS_NORMAL, PBS_DEFAULTED, {75, 25}},
                {BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, RBS_CHECKEDDISABLED, {17, 17}},
                {BP_CHECKBOX, CBS_UNCHECKEDNORMAL, CBS_MIXEDDISABLED, {17, 17}},
                {BP_GROUPBOX, GBS_NORMAL, GBS_DISABLED, {90, 40}}}});
}

TEST_F(ThemeTest, EditSheet) { DrawSheet({u"Edit", "theme-edit.png", {{EP_EDITTEXT, 0, ETS_ASSIST, {60, 22}}}}); }

TEST_F(ThemeTest, ComboBoxSheet) {
    DrawSheet({u"ComboBox",
               "theme-combobox.png",
               {{CP_DROPDOWNBUTTON, CBXS_NORMAL, CBXS_DISABLED, {0, 0}},
                {CP_DROPDOWNBUTTON, CBXS_NORMAL, CBXS_DISABLED, {17, 21}}}});
}

TEST_F(ThemeTest, SpinSheet) {
    DrawSheet({u"Spin",
               "theme-spin.png",
               {{SPNP_UP, UPS_NORMAL, UPS_DISABLED, {0, 0}},
                {SPNP_DOWN, DNS_NORMAL, DNS_DISABLED, {0, 0}},
                {SPNP_UPHORZ, UPHZS_NORMAL, UPHZS_DISABLED, {0, 0}},
                {SPNP_DOWNHORZ, DNHZS_NORMAL, DNHZS_DISABLED, {0, 0}},
                {SPNP_UP, UPS_NORMAL, UPS_DISABLED, {17, 12}}}});
}

TEST_F(ThemeTest, ScrollBarSheet) {
    DrawSheet({u"ScrollBar",
               "theme-scrollbar.png",
               {{SBP_ARROWBTN, ABS_UPNORMAL, 20, {0, 0}},
                {SBP_THUMBBTNHORZ, SCRBS_NORMAL, 5, {50, 16}},
                {SBP_THUMBBTNVERT, SCRBS_NORMAL, 5, {16, 50}},
                {SBP_GRIPPERHORZ, SCRBS_NORMAL, 5, {50, 16}, SBP_THUMBBTNHORZ},
                {SBP_GRIPPERVERT, SCRBS_NORMAL, 5, {16, 50}, SBP_THUMBBTNVERT},
                {SBP_LOWERTRACKHORZ, SCRBS_NORMAL, 5, {30, 16}},
                {SBP_UPPERTRACKHORZ, SCRBS_NORMAL, 5, {30, 16}},
                {SBP_LOWERTRACKVERT, SCRBS_NORMAL, 5, {16, 30}},
                {SBP_UPPERTRACKVERT, SCRBS_NORMAL, 5, {16, 30}},
                {SBP_SIZEBOX, SZB_RIGHTALIGN, SZB_LEFTALIGN, {0, 0}}}});
}

TEST_F(ThemeTest, TabSheet) {
    std::vector<Row> rows;
    for (int part = TABP_TABITEM; part <= TABP_TOPTABITEMBOTHEDGE; ++part)
        rows.push_back({part, TIS_NORMAL, TIS_FOCUSED, {64, 21}});
    rows.push_back({TABP_PANE, 1, 1, {160, 60}});
    rows.push_back({TABP_BODY, 1, 1, {160, 30}});
    DrawSheet({u"Tab", "theme-tab.png", rows});
}

TEST_F(ThemeTest, ProgressSheet) {
    DrawSheet({u"Progress",
               "theme-progress.png",
               {{PP_BAR, 0, 0, {150, 18}},
                {PP_CHUNK, 1, 1, {107, 16}},
                {PP_BARVERT, 0, 0, {18, 70}},
                {PP_CHUNKVERT, 1, 1, {16, 67}},
                {PP_FILL, PBFS_NORMAL, PBFS_PARTIAL, {60, 16}},
                {PP_FILLVERT, PBFS_NORMAL, PBFS_PARTIAL, {16, 40}}}});
}

TEST_F(ThemeTest, MenuSheet) {
    DrawSheet({u"Menu",
               "theme-menu.png",
               {{MENU_POPUPBACKGROUND, 1, 1, {120, 40}},
                {MENU_POPUPBORDERS, 1, 1, {120, 40}, MENU_POPUPBACKGROUND},
                {MENU_POPUPITEM, MPI_NORMAL, MPI_DISABLEDHOT, {120, 22}, MENU_POPUPBACKGROUND},
                {MENU_POPUPCHECKBACKGROUND, MCB_DISABLED, MCB_BITMAP, {22, 22}, MENU_POPUPBACKGROUND},
                {MENU_POPUPCHECK, MC_CHECKMARKNORMAL, MC_BULLETDISABLED, {22, 22}, MENU_POPUPBACKGROUND},
                {MENU_POPUPSEPARATOR, 1, 1, {120, 0}, MENU_POPUPBACKGROUND},
                {MENU_POPUPGUTTER, 1, 1, {0, 40}, MENU_POPUPBACKGROUND},
                {MENU_POPUPSUBMENU, MSM_NORMAL, MSM_DISABLED, {0, 0}, MENU_POPUPBACKGROUND}}});
}

TEST_F(ThemeTest, TooltipSheet) {
    DrawSheet({u"Tooltip",
               "theme-tooltip.png",
               {{TTP_STANDARD, TTSS_NORMAL, TTSS_LINK, {100, 24}},
                {TTP_STANDARDTITLE, TTSS_NORMAL, TTSS_LINK, {100, 24}},
                {TTP_BALLOON, TTBS_NORMAL, TTBS_LINK, {100, 36}},
                {TTP_BALLOONTITLE, TTBS_NORMAL, TTBS_LINK, {100, 36}}}});
}

}  // namespace
