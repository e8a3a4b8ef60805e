// placeholder, filled in by the next commit
