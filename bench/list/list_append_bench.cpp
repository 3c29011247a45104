// Appending one logbook line to the list box while it holds 32767 or a
// million lines and is in view, with the new line scrolled into sight and
// painted: the program's list view, a table of one column, against a Qt list
// view with uniform rows that also shows whole rows only, over the same
// model, laid out in one pass or in batches. A run where the newest line
// ends out of sight reports an error instead of a time. Run with
// --benchmark_repetitions and --benchmark_enable_random_interleaving so the
// views take turns on a shared machine.
#include "model/FormDef.h"
#include "model/Window.h"
#include "platform/qt/LogbookListModel.h"
#include "platform/qt/LogbookListView.h"

#include <QApplication>
#include <QListView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

const kav::ControlDef kControls[] = {{.name = "List1", .kind = kav::Kind::ListBox}};
const kav::FormDef kForm{.name = "bench", .caption = "bench", .controls = kControls};

// Qt's list view as it would stand in for the program's: rows of one
// height, a scroll bar that counts rows, and the height a row would not fill
// left blank below the rows.
template <QListView::LayoutMode Mode> class UniformListView final : public QListView {
public:
    UniformListView() {
        setLayoutMode(Mode);
        setUniformItemSizes(true);
        setVerticalScrollMode(ScrollPerItem);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

protected:
    void updateGeometries() override {
        const int row = model() && model()->rowCount() > 0 ? std::max(1, sizeHintForRow(0)) : 1;
        const int spare = std::max(0, contentsRect().height()) % row;
        if (viewportMargins().bottom() != spare) setViewportMargins(0, 0, 0, spare);
        QListView::updateGeometries();
    }
};

template <class View> void appendInSight(benchmark::State& state) {
    kav::Window window(kForm);
    kav::Control& list = window.ctl("List1");
    const std::string line(70, 'x');
    for (std::int64_t i = 0; i < state.range(0); ++i)
        list.AddItem(line);
    View view;
    auto* model = new kav::qt::LogbookListModel(list, &view);
    view.setModel(model);
    view.resize(505, 108);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.AddItem("FF8000");
        model->linesAppended();
        // Lay out, scroll and paint now, as the event loop would before the
        // next event.
        QApplication::processEvents();
        view.scrollTo(model->index(model->rowCount() - 1));
        QApplication::processEvents();
        view.viewport()->repaint();
    }
    if (!view.viewport()->rect().contains(view.visualRect(model->index(model->rowCount() - 1))))
        state.SkipWithError("the newest line is out of sight");
    state.counters["lines"] = static_cast<double>(list.ListCount());
}

void BM_AppendLogbookListView(benchmark::State& state) { appendInSight<kav::qt::LogbookListView>(state); }
void BM_AppendQListViewUniformRows(benchmark::State& state) {
    appendInSight<UniformListView<QListView::SinglePass>>(state);
}
void BM_AppendQListViewUniformRowsBatched(benchmark::State& state) {
    appendInSight<UniformListView<QListView::Batched>>(state);
}

BENCHMARK(BM_AppendLogbookListView)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_AppendQListViewUniformRows)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_AppendQListViewUniformRowsBatched)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
