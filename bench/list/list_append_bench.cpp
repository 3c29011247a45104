// Appending one logbook line to the list box while it holds 32767 lines and
// is in view, the repaint included. The baseline is the same view without
// uniform row sizes, which lays every row out again on each append.
#include "model/FormDef.h"
#include "model/Window.h"
#include "platform/qt/LogbookListModel.h"

#include <QApplication>
#include <QListView>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const kav::ControlDef kControls[] = {{.name = "List1", .kind = kav::Kind::ListBox}};
const kav::FormDef kForm{.name = "bench", .caption = "bench", .controls = kControls};

void appendWithRepaint(benchmark::State& state, bool uniform) {
    kav::Window window(kForm);
    kav::Control& list = window.ctl("List1");
    const std::string line(70, 'x');
    for (int i = 0; i < 32767; ++i)
        list.AddItem(line);
    QListView view;
    view.setUniformItemSizes(uniform);
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

void BM_AppendUniformRows(benchmark::State& state) { appendWithRepaint(state, true); }
void BM_AppendBaselineVariableRows(benchmark::State& state) { appendWithRepaint(state, false); }

BENCHMARK(BM_AppendUniformRows)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_AppendBaselineVariableRows)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
