# Map view, request filtering and key protection.
