#pragma once
// A run-time property of a control or window. Assigning compares first and
// tells the owner only when the value really changes, so a periodic handler
// that writes the same caption costs nothing downstream.

#include <cstdint>
#include <utility>

namespace kav {

enum class PropId : std::uint8_t { Caption, Text, Visible, Enabled, BackColor, Lines, Height, WindowState };

class PropertyOwner {
public:
    virtual void propertyChanged(PropId id) = 0;

protected:
    ~PropertyOwner() = default;
};

template <class T> class Property {
public:
    Property(PropertyOwner& owner, PropId id, T initial) : owner_(&owner), id_(id), value_(std::move(initial)) {}
    Property(const Property&) = delete;

    Property& operator=(const T& v) {
        if (v == value_) return *this;
        value_ = v;
        owner_->propertyChanged(id_);
        return *this;
    }
    Property& operator=(const Property& other) {
        if (this != &other) *this = other.value_;
        return *this;
    }

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    // Sets the value without telling anyone: for the renderer when the user
    // changed the value on screen (typing, dragging the frame).
    void setSilently(const T& v) { value_ = v; }

private:
    PropertyOwner* owner_;
    PropId id_;
    T value_;
};

} // namespace kav
