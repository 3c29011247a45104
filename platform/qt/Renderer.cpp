// Creation and removal of form views, and what the close box means for each window.
#include "platform/qt/Renderer.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/frmMain.h"
#include "platform/qt/FormView.h"

#include <QTimer>

namespace kav::qt {

Renderer::Renderer(Program& program) : program_(program) {}

// The views go first; the program must not tell a renderer that is gone
// about the windows it removes later.
Renderer::~Renderer() {
    views_.clear();
    program_.setListener(nullptr);
}

FormView* Renderer::viewFor(const Window& window) const {
    auto it = views_.find(&window);
    return it == views_.end() ? nullptr : it->second.get();
}

void Renderer::windowLoaded(Window& window) {
    Program* program = &program_;
    std::function<void()> onClose;
    if (window.name() == "frmMain") {
        onClose = [program] { program->platform().endProgram(); };
    } else if (window.name() == "Form1") {
        // The close box removes the window; the next use creates it anew.
        // The removal waits for the close event to finish with the view.
        onClose = [this, program, w = &window] {
            if (FormView* v = viewFor(*w)) v->hide();
            QTimer::singleShot(0, [program] { program->unloadForm1(); });
        };
    } else {
        onClose = [this, program, w = &window] {
            if (FormView* v = viewFor(*w)) v->hide();
            QTimer::singleShot(0, [program] { program->unloadForm2(); });
        };
    }
    views_[&window] = std::make_unique<FormView>(window, std::move(onClose));
}

void Renderer::windowUnloading(Window& window) { views_.erase(&window); }

} // namespace kav::qt
