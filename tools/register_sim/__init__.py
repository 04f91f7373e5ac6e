"""Local stand-in for the court register service, used by whole-program tests, benchmarks and the demo."""
