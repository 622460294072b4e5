#pragma once
// Checks a product's configuration the way a compiler checks a program: what the setup program would
// trip over is an error, what it would quietly ignore or do differently is a warning.
struct Product;

void CheckConfiguration(Product& product);
