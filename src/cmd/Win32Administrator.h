#pragma once

// Whether this process runs with the Administrators group in its token. Under User Account
// Control a process that was not elevated holds the group for denial only, so it is not.
bool IsProcessAdministrator();
