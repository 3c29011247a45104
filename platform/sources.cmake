# Filled in as the Qt/Linux implementation grows.
