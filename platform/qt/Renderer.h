#pragma once
// The views of the program's windows: a FormView for every window the
// program loads, removed again when the window is unloaded. A view is found
// from the model window it shows.

#include "forms/Program.h"

#include <memory>
#include <unordered_map>

namespace kav::qt {

class FormView;

class Renderer final : public ProgramListener {
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    FormView* viewFor(const Window& window) const;

    void windowLoaded(Window& window) override;
    void windowUnloading(Window& window) override;

private:
    std::unordered_map<const Window*, std::unique_ptr<FormView>> views_;
};

} // namespace kav::qt
