// Intentionally empty: keeps an object library valid before it has sources.
