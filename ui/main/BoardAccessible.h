#pragma once

namespace zintu {

// Lets assistive technology see the board as a table of 9 x 9 named cells and read the
// score labels' numbers as their values. Installing it again changes nothing.
void InstallAccessibleFactory();

}  // namespace zintu
