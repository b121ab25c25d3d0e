#include "main_window_layout.h"

#include <array>

namespace kesvane {

// The tables keep one control or menu item a line.
// clang-format off
std::span<const ControlSpec> main_window_controls() {
    static const std::array<ControlSpec, 15> controls{{
        {"标签1", ControlKind::Label, 8, 0, 80, 24, "请输入单号："},
        {"单号", ControlKind::Edit, 9, 24, 135, 24, "", {}, 14,
         kTabStop | kUpperCase | kCentred | kKeepSelection},
        {"分组框1", ControlKind::GroupBox, 9, 53, 135, 107, "验证码输入"},
        {"验证码图片", ControlKind::PictureBox, 16, 72, 59, 30},
        {"验证码输入", ControlKind::Edit, 79, 72, 59, 30, "", {}, 15, kTabStop | kUpperCase | kCentred,
         4},
        {"刷新验证码", ControlKind::Button, 15, 113, 123, 35, "刷新验证码", {}, 0, kTabStop},
        {"清空按钮", ControlKind::Button, 11, 166, 132, 26, "清空单号", {}, 12},
        {"停止按钮", ControlKind::Button, 11, 197, 132, 26, "停止查询"},
        {"标签2", ControlKind::Label, 152, 0, 92, 24, "请选择快递公司："},
        {"选择列表框1", ControlKind::CheckList, 180, 24, 100, 136, "",
         {"中通", "天天", "申通", "韵达", "汇通", "圆通", "顺丰", "EMS", "亚风", "飞康达", "速尔", "德邦",
          "新邦", "鑫飞鸿", "宅急送", "快捷", "DHL", "TNT", "中邮物流", "中铁", "星辰", "FEDEX",
          "中国邮政", "广东邮政"},
         0, kTabStop},
        {"快递查询", ControlKind::Button, 180, 166, 100, 57, "查询(&C)", {}, 16,
         kTabStop | kDefaultButton},
        {"标签7", ControlKind::Label, 10, 224, 254, 23, "保存的快递单号："},
        {"超级列表框1", ControlKind::ListView, 9, 247, 271, 265, "", {"快递单号", "公司", "备注"}, 0,
         kNone, 0, 0, {90, 60, 100}},
        {"分组框2", ControlKind::GroupBox, 288, 6, 352, 168, "查询结果"},
        {"互联网浏览器1", ControlKind::Placeholder, 296, 24, 136, 72, "", {}, 0, kTabStop},
    }};
    return controls;
}

std::span<const MenuItemSpec> main_window_menus() {
    static const std::array<MenuItemSpec, 25> menus{{
        {"保存列表", 0, MenuHandler::None, true},
        {"添加单号", 1, MenuHandler::AddNumber},
        {"编辑单号", 1, MenuHandler::EditNumber},
        {"删除单号", 1, MenuHandler::DeleteNumber, false, false, "Del"},
        {"全部删除", 1, MenuHandler::DeleteAll},
        {"取消", 1, MenuHandler::None},
        {"文件(&F)", 0, MenuHandler::None},
        {"查询(&C)", 1, MenuHandler::Query},
        {"查淘宝", 1, MenuHandler::Taobao},
        {"添加单号(&A)", 1, MenuHandler::AddNumber},
        {"自动保存单号", 1, MenuHandler::ToggleAutoSave, false, true},
        {"皮肤(&S)", 1, MenuHandler::None},
        {"默认皮肤", 2, MenuHandler::DefaultSkin},
        {"皮肤-火红中国", 2, MenuHandler::SkinRedChina},
        {"皮肤-积木", 2, MenuHandler::SkinBlocks},
        {"退出(&X)", 1, MenuHandler::Exit},
        {"打印(&P)", 0, MenuHandler::None},
        {"打印(&P)", 1, MenuHandler::Print},
        {"打印预览(&V)", 1, MenuHandler::PrintPreview},
        {"页面设置(&U)", 1, MenuHandler::PageSetup},
        {"帮助(&H)", 0, MenuHandler::None},
        {"帮助文件(&H)", 1, MenuHandler::HelpMessage},
        {"访问主页(&V)", 1, MenuHandler::HomePage},
        {"检查更新(&U)", 1, MenuHandler::CheckUpdate},
        {"关于(&A)", 1, MenuHandler::About},
    }};
    return menus;
}

// clang-format on

const char* status_credit_text() {
    return "Kesvane 快递查询";
}

} // namespace kesvane
