#pragma once

// The leak checker of the sanitizer build asks every program for its built-in suppressions.
// gensio keeps a small record for a control request with an answer callback and frees it when
// the server answers or the library's own time-out of some seconds comes; a connection closed
// before either (a server that never answers, which the tool gives up on after a second) drops
// the request but not the record. The functions are named one by one, so that a connection the
// tool itself forgot to free would still be reported.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:sergensio_baud\n"
         "leak:sergensio_datasize\n"
         "leak:sergensio_parity\n"
         "leak:sergensio_stopbits\n"
         "leak:sergensio_rts\n";
}
