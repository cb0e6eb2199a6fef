#include "text/strings.h"

namespace korvane {
namespace {

constexpr std::string_view kMacroManagerLoadFailed = "Macro Manager Dialog Load background image failed!!!";

// The simplified table writes "按鍵序列" and "刪除" with traditional characters; stored files and users
// have only ever seen these.
constexpr PerLanguage<MacroManagerStrings> kMacroManager = {{
    {
        .ok = "OK",
        .cancel = "Cancel",
        .title = "Macro Manager",
        .selectMacro = "Select Macro",
        .keyPressSequence = "Key Press Sequence",
        .recordOption = "Record Option",
        .recordDelays = "Record delays between key commands",
        .loopTimes = "Loop Times",
        .newButton = "New",
        .deleteButton = "Delete",
        .macroNameBase = "Macro",
        .startRecording = "Start Recording",
        .stopRecording = "Stop Recording",
        .recordingTitle = "Press Ctrl+Break key to stop recording",
        .insertLeftButton = "Insert the left Button",
        .insertMiddleButton = "Insert the middle Button",
        .insertRightButton = "Insert the right button",
        .insertDelay = "Insert Delay",
        .warning = "Warning",
        .macroLimit = "Macro numbers up to 12.",
        .backgroundLoadFailed = kMacroManagerLoadFailed,
    },
    {
        .ok = "确定",
        .cancel = "取消",
        .title = "宏管理器",
        .selectMacro = "选择宏",
        .keyPressSequence = "按鍵序列",
        .recordOption = "录制选项",
        .recordDelays = "记录按键动作间的延迟",
        .loopTimes = "循环次数",
        .newButton = "新建",
        .deleteButton = "刪除",
        .macroNameBase = "宏",
        .startRecording = "开始录制",
        .stopRecording = "停止录制",
        .recordingTitle = "按 Ctrl+Break 停止录制",
        .insertLeftButton = "插入鼠标左键",
        .insertMiddleButton = "插入鼠标中键",
        .insertRightButton = "插入鼠标右键",
        .insertDelay = "插入延时",
        .warning = "警告",
        .macroLimit = "最多可以新建12个宏。",
        .backgroundLoadFailed = kMacroManagerLoadFailed,
    },
    {
        .ok = "確定",
        .cancel = "取消",
        .title = "巨集管理器",
        .selectMacro = "選擇巨集",
        .keyPressSequence = "按鍵序列",
        .recordOption = "錄製選項",
        .recordDelays = "記錄按鍵動作間的延遲",
        .loopTimes = "迴圈次數",
        .newButton = "新建",
        .deleteButton = "刪除",
        .macroNameBase = "巨集",
        .startRecording = "開始錄製",
        .stopRecording = "停止錄製",
        .recordingTitle = "按Ctrl+Break 停止錄製",
        .insertLeftButton = "插入滑鼠左鍵",
        .insertMiddleButton = "插入滑鼠中鍵",
        .insertRightButton = "插入滑鼠右鍵",
        .insertDelay = "插入延時",
        .warning = "警告",
        .macroLimit = "最多可以新建12個巨集。",
        .backgroundLoadFailed = kMacroManagerLoadFailed,
    },
}};

constexpr std::string_view kMacroKeyLoadFailed = "Macro Key Dialog Load background image failed!!!";

constexpr PerLanguage<MacroKeyStrings> kMacroKey = {{
    {
        .ok = "Ok",
        .cancel = "Cancel",
        // Two spaces before "mouse": the text every release has shown.
        .repeatMode = {"Repeat a specified number of times or press any key to end",
                       "Repeat until press any  mouse button to end", "Repeat until the key is released"},
        .selectMacroPrompt = "Please select a macro",
        .backgroundLoadFailed = kMacroKeyLoadFailed,
    },
    {
        .ok = "确定",
        .cancel = "取消",
        .repeatMode = {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"},
        .selectMacroPrompt = "请从列表框选择一个宏",
        .backgroundLoadFailed = kMacroKeyLoadFailed,
    },
    {
        .ok = "確定",
        .cancel = "取消",
        .repeatMode = {"重複指定次數或按任意鍵結束", "重複直到按任意鍵結束", "重複直到該按鍵鬆開結束"},
        .selectMacroPrompt = "請從清單方塊選擇一個巨集",
        .backgroundLoadFailed = kMacroKeyLoadFailed,
    },
}};

constexpr std::string_view kNewProfilePrefix = "PROFILE";
constexpr std::string_view kProfileManagerLoadFailed = "Config Dialog Load background image failed!!!";

constexpr PerLanguage<ProfileManagerStrings> kProfileManager = {{
    {
        .title = "Configuration",
        .name = "Name",
        .newButton = "New",
        .deleteItem = "Delete",
        .editItem = "Edit",
        .copyItem = "Copy",
        .loadItem = "Load",
        .saveItem = "Save",
        .warning = "Warning",
        .profileLimit = "Profile numbers up to 6.",
        .linkItem = "Link to application",
        .otherApplication = "Other…",
        .applicationPrompt = "Application id, as the desktop names the window (for example steam_app_1234):",
        .unlinkItem = "Unlink %1",
        .newProfilePrefix = kNewProfilePrefix,
        .backgroundLoadFailed = kProfileManagerLoadFailed,
    },
    {
        .title = "配置",
        .name = "名字",
        .newButton = "新建",
        .deleteItem = "删除",
        .editItem = "编辑",
        .copyItem = "复制",
        .loadItem = "加载",
        .saveItem = "保存",
        .warning = "警告",
        .profileLimit = "最多可以存储6个配置。",
        .linkItem = "关联到应用程序",
        .otherApplication = "其他…",
        .applicationPrompt = "应用程序标识，即桌面给窗口的名称（例如 steam_app_1234）：",
        .unlinkItem = "取消关联 %1",
        .newProfilePrefix = kNewProfilePrefix,
        .backgroundLoadFailed = kProfileManagerLoadFailed,
    },
    {
        .title = "配置",
        .name = "名字",
        .newButton = "新建",
        .deleteItem = "刪除",
        .editItem = "編輯",
        .copyItem = "複製",
        .loadItem = "載入",
        .saveItem = "保存",
        .warning = "警告",
        .profileLimit = "最多可以存儲6個配置。",
        .linkItem = "關聯到應用程式",
        .otherApplication = "其他…",
        .applicationPrompt = "應用程式識別碼，即桌面給視窗的名稱（例如 steam_app_1234）：",
        .unlinkItem = "取消關聯 %1",
        .newProfilePrefix = kNewProfilePrefix,
        .backgroundLoadFailed = kProfileManagerLoadFailed,
    },
}};

constexpr std::string_view kSingleKeyLoadFailed = "Single Key Dialog Load background image failed!!!";

constexpr PerLanguage<SingleKeyStrings> kSingleKey = {{
    {.ok = "Ok", .cancel = "Cancel", .prompt = "Please enter a key", .backgroundLoadFailed = kSingleKeyLoadFailed},
    {.ok = "确定", .cancel = "取消", .prompt = "请输入一个按键", .backgroundLoadFailed = kSingleKeyLoadFailed},
    {.ok = "確定", .cancel = "取消", .prompt = "請輸入一個按鍵", .backgroundLoadFailed = kSingleKeyLoadFailed},
}};

constexpr std::string_view kComboKeyLoadFailed = "Combo Dialog Load background image failed!!!";

constexpr PerLanguage<ComboKeyStrings> kComboKey = {{
    {.ok = "OK", .cancel = "Cancel", .modifierLabel = "Modifier", .firstKeyLabel = "First key",
     .secondKeyLabel = "Second key", .backgroundLoadFailed = kComboKeyLoadFailed},
    {.ok = "确定", .cancel = "取消", .modifierLabel = "修饰键", .firstKeyLabel = "第一个键", .secondKeyLabel = "第二个键",
     .backgroundLoadFailed = kComboKeyLoadFailed},
    {.ok = "確定", .cancel = "取消", .modifierLabel = "修飾鍵", .firstKeyLabel = "第一個鍵", .secondKeyLabel = "第二個鍵",
     .backgroundLoadFailed = kComboKeyLoadFailed},
}};

// The full-width colon in the version text is part of the text; the version is the build's.
constexpr std::string_view kUpdateText = "Update 驱动更新";
constexpr std::string_view kVersionText = "Version：" KORVANE_VERSION;
constexpr std::string_view kHelpLoadFailed = "Help Dialog Load background image failed!!!";

constexpr PerLanguage<HelpStrings> kHelp = {{
    {.ok = "Ok", .cancel = "Cancel", .updateText = kUpdateText, .versionText = kVersionText,
     .backgroundLoadFailed = kHelpLoadFailed},
    {.ok = "确定", .cancel = "取消", .updateText = kUpdateText, .versionText = kVersionText,
     .backgroundLoadFailed = kHelpLoadFailed},
    {.ok = "確定", .cancel = "取消", .updateText = kUpdateText, .versionText = kVersionText,
     .backgroundLoadFailed = kHelpLoadFailed},
}};

}  // namespace

const MacroManagerStrings& MacroManagerStringsFor(Language language) { return ForLanguage(kMacroManager, language); }
const MacroKeyStrings& MacroKeyStringsFor(Language language) { return ForLanguage(kMacroKey, language); }
const ProfileManagerStrings& ProfileManagerStringsFor(Language language) {
  return ForLanguage(kProfileManager, language);
}
const SingleKeyStrings& SingleKeyStringsFor(Language language) { return ForLanguage(kSingleKey, language); }
const ComboKeyStrings& ComboKeyStringsFor(Language language) { return ForLanguage(kComboKey, language); }
const HelpStrings& HelpStringsFor(Language language) { return ForLanguage(kHelp, language); }

}  // namespace korvane
