#include "api_road.h"

#include "addresses.h"
#include "main_window.h"
#include "pane_operations.h"
#include "qt_text.h"
#include "report_page.h"
#include "text_cutting.h"
#include "web_request.h"
#include "worker_slot.h"

#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace kesvane {

namespace {

// The worker's part: request, conversion and the page written beside
// report_path. Showing it is the GUI thread's part, so that Stop, which runs
// there, reliably comes either before (nothing shown) or after (shown).
void query_express_api(const WorkerContext& worker, const std::string& company_code,
                       const std::string& number) {
    RequestControl control;
    control.cancel = worker.cancel_flag();
    const std::string reply = web_request(api_request_address(company_code, number), "GET",
                                          std::nullopt, {}, {}, nullptr, control);
    if (worker.cancelled->load()) {
        return;
    }
    const std::string page = utf8_to_local(reply) + api_report_footer();
    const std::string staged = stage_report_page(page);
    if (worker.cancelled->load()) {
        std::remove(staged.c_str());
        return;
    }
    worker.on_gui_thread(
        [staged] {
            // A page that could not be written leaves the earlier file (or
            // none) in place; the pane is pointed at the page all the same.
            commit_report_page(staged);
            pane_navigate(report_path());
        },
        [staged] { std::remove(staged.c_str()); });
}

} // namespace

void start_api_road(const std::string& company_code) {
    // Two workers must never write the page at once: a new query ends the
    // one still running.
    // An update check in the slot is left to show its answer.
    if (worker_running(WorkerKind::Query)) {
        end_worker_in_slot();
    }
    // The number is read here, on the GUI thread, before the request starts.
    const std::string number = to_local(main_control<QLineEdit>("单号")->text());
    start_worker(WorkerKind::Query, [code = company_code, number](const WorkerContext& worker) {
        query_express_api(worker, code, number);
    });
}

void stop_query() {
    if (auto* query = main_control<QPushButton>("快递查询")) {
        query->setEnabled(true);
    }
    end_worker_in_slot();
    pane_stop();
}

void end_worker_at_shutdown() {
    end_worker_in_slot();
    join_all_workers();
}

} // namespace kesvane
