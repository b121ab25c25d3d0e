#include "skin_engine.h"

#include "main_window.h"
#include "message_box.h"

#include "gbk_codec.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <vector>

namespace kesvane {

namespace {

using AttachResFunction = std::int32_t (*)(const void*, std::int32_t, const char*, std::int32_t,
                                           std::int32_t, std::int32_t);
using DetachFunction = std::int32_t (*)();

constexpr int kBoxStop = 16; // OK button with the stop icon

void* engine_library = nullptr;
AttachResFunction attach_res_entry = nullptr;
DetachFunction detach_entry = nullptr;

std::string program_folder() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath().toStdString();
    }
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

void* load_engine(const std::string& file, std::string& failure) {
    std::vector<std::string> candidates;
    if (file.find('/') != std::string::npos) {
        candidates.push_back(file);
    } else {
        if (const std::string folder = program_folder(); !folder.empty()) {
            candidates.push_back(folder + "/" + file);
        }
        candidates.push_back(file); // the system's search path
    }
    for (const std::string& candidate : candidates) {
        // NODELETE: the engine's styles stay in use for as long as the
        // program runs, so its code must never be unmapped.
        if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
            return handle;
        }
        if (const char* why = ::dlerror()) {
            failure = why;
        }
    }
    return nullptr;
}

// The engine is part of the program's installation; without it the
// program cannot go on. The shutdown sequence still runs, so that the
// report page is removed and the store closed, and then the process ends
// at once rather than through static clean-up behind live browser threads.
[[noreturn]] void end_without_engine(const std::string& text_utf8, const std::string& failure) {
    if (!failure.empty()) {
        std::fprintf(stderr, "kesvane: %s\n", failure.c_str());
    }
    message_box(gbk(text_utf8), gbk("Kesvane"), kBoxStop);
    if (MainWindow* window = main_window()) {
        window->shut_down();
    }
    std::fflush(nullptr);
    std::_Exit(1);
}

void* entry_point(const char* name) {
    const std::string file = skin_library_file();
    if (engine_library == nullptr) {
        std::string failure;
        engine_library = load_engine(file, failure);
        if (engine_library == nullptr) {
            end_without_engine("无法加载动态链接库“" + file + "”，不能调用其中的函数“" + name +
                                   "”。\r\n程序将结束。",
                               failure);
        }
    }
    ::dlerror();
    void* symbol = ::dlsym(engine_library, name);
    if (symbol == nullptr) {
        const char* why = ::dlerror();
        end_without_engine("在动态链接库“" + file + "”中找不到函数“" + name + "”。\r\n程序将结束。",
                           why != nullptr ? why : "");
    }
    return symbol;
}

} // namespace

std::string skin_library_file() {
    const char* chosen = std::getenv("KESVANE_SKIN_LIBRARY");
    return chosen != nullptr && *chosen != '\0' ? std::string(chosen) : "libSkivra.so";
}

std::int32_t skivra_attach_res(const void* data, std::int32_t length, const char* password,
                               std::int32_t reserved1, std::int32_t reserved2,
                               std::int32_t reserved3) {
    if (attach_res_entry == nullptr) {
        attach_res_entry = reinterpret_cast<AttachResFunction>(entry_point("Skivra_AttachRes"));
    }
    return attach_res_entry(data, length, password, reserved1, reserved2, reserved3);
}

std::int32_t skivra_detach() {
    if (detach_entry == nullptr) {
        detach_entry = reinterpret_cast<DetachFunction>(entry_point("Skivra_Detach"));
    }
    return detach_entry();
}

} // namespace kesvane
