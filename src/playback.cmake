# Play area and player hosts.
