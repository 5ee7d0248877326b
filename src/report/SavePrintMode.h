#pragma once

// What the save/print window offers: saving and printing the finished report,
// or, after File/Print, printing the chosen file only.
enum class SavePrintMode { PrintOnly = 0, SaveAndPrint = 1 };
