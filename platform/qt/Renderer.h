#pragma once
// Shows the program's windows: a FormView for every window the program
// loads, removed again when the window is unloaded.

#include "forms/Program.h"

#include <memory>
#include <unordered_map>

namespace kav::qt {

class FormView;

class Renderer final : public ProgramListener {
public:
    explicit Renderer(Program& program);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    FormView* viewFor(const Window& window) const;

    void windowLoaded(Window& window) override;
    void windowUnloading(Window& window) override;

private:
    Program& program_;
    std::unordered_map<const Window*, std::unique_ptr<FormView>> views_;
};

} // namespace kav::qt
