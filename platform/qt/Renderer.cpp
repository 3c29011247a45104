// Creation and removal of form views.
#include "platform/qt/Renderer.h"

#include "platform/qt/FormView.h"

namespace kav::qt {

Renderer::Renderer() = default;

Renderer::~Renderer() = default;

FormView* Renderer::viewFor(const Window& window) const {
    auto it = views_.find(&window);
    return it == views_.end() ? nullptr : it->second.get();
}

void Renderer::windowLoaded(Window& window) { views_[&window] = std::make_unique<FormView>(window); }

void Renderer::windowUnloading(Window& window) { views_.erase(&window); }

} // namespace kav::qt
