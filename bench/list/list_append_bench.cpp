// Appending one logbook line to the list box while it holds 32767 or a
// million lines and is in view, the repaint included: the program's list view
// against a bare Qt list view with uniform rows over the same model.
#include "model/FormDef.h"
#include "model/Window.h"
#include "platform/qt/LogbookListModel.h"
#include "platform/qt/LogbookListView.h"

#include <QApplication>
#include <QListView>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const kav::ControlDef kControls[] = {{.name = "List1", .kind = kav::Kind::ListBox}};
const kav::FormDef kForm{.name = "bench", .caption = "bench", .controls = kControls};

template <class View> void appendWithRepaint(benchmark::State& state) {
    kav::Window window(kForm);
    kav::Control& list = window.ctl("List1");
    const std::string line(70, 'x');
    for (std::int64_t i = 0; i < state.range(0); ++i)
        list.AddItem(line);
    View view;
    if constexpr (std::is_same_v<View, QListView>) view.setUniformItemSizes(true);
    auto* model = new kav::qt::LogbookListModel(list, &view);
    view.setModel(model);
    view.resize(505, 108);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.AddItem("FF8000");
        model->linesAppended();
        // Lay out and paint now, as the event loop would before the next event.
        QApplication::processEvents();
        view.viewport()->repaint();
    }
    state.counters["lines"] = static_cast<double>(list.ListCount());
}

void BM_AppendLogbookListView(benchmark::State& state) { appendWithRepaint<kav::qt::LogbookListView>(state); }
void BM_AppendBareQListViewUniformRows(benchmark::State& state) { appendWithRepaint<QListView>(state); }

BENCHMARK(BM_AppendLogbookListView)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_AppendBareQListViewUniformRows)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
