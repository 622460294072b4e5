#pragma once
// What the product's "Install Scope" allows. A per-user product must install without an administrator, so
// whatever only an administrator may change is an error; a per-machine product serves every user, so what
// reaches only the account that runs the install is a warning.
struct Product;

void CheckScopeReach(Product& product);
