#include "update_check.h"

#include "addresses.h"
#include "config.h"
#include "gbk_codec.h"
#include "message_box.h"
#include "program_values.h"
#include "qt_text.h"
#include "version_reply.h"
#include "web_request.h"
#include "worker_slot.h"

#include <QDesktopServices>
#include <QUrl>

namespace kesvane {

namespace {

void show_verdict(VersionVerdict verdict) {
    switch (verdict) {
    case VersionVerdict::newer:
        message_box_modeless(gbk("发现更新，是否访问主页进行下载？"), gbk("检查更新"),
                             kBoxOkCancelInformation, [](bool ok) {
                                 if (ok) {
                                     visit_home_page();
                                 }
                             });
        break;
    case VersionVerdict::up_to_date:
        message_box_modeless(gbk("本软件已是最新版本，不需要更新！"), gbk("无更新"),
                             kBoxInformation);
        break;
    case VersionVerdict::unknown:
        // Saying "up to date" when the site could not be asked would be
        // wrong; say that the check did not work instead.
        message_box_modeless(gbk("检查更新失败，请稍后再试！"), gbk("检查更新"), kBoxExclamation);
        break;
    }
}

// Runs on the worker. Its box is opened on the GUI thread; Stop or the
// shutdown before that moment means no box at all. A box already open stays
// open and still works: the check it reports has finished.
void check_for_update(const WorkerContext& worker, const std::string& running_version) {
    RequestControl control;
    control.cancel = worker.cancel_flag();
    std::string header_block;
    const std::string reply =
        web_request(version_file_address(), "GET", std::nullopt, {}, {}, &header_block, control);
    if (worker.cancelled->load()) {
        return;
    }
    const VersionVerdict verdict = judge_version_reply(header_block, reply, running_version);
    // A China Post exchange under way holds the box back (on_gui_thread
    // waits for it); Stop while it waits means no box.
    worker.on_gui_thread([verdict] { show_verdict(verdict); });
}

} // namespace

void start_update_check() {
    // Read here, on the GUI thread that set it.
    const std::string running_version = current_version;
    start_worker(WorkerKind::UpdateCheck, [running_version](const WorkerContext& worker) {
        check_for_update(worker, running_version);
    });
}

void visit_home_page() {
    open_url(config().publisher_site_url);
}

void open_url(const std::string& url) {
    QDesktopServices::openUrl(QUrl(to_qstring(url), QUrl::TolerantMode));
}

} // namespace kesvane
