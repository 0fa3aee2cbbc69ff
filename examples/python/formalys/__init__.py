"""Formalys for Python hosts: fills French administrative medical forms ("Cerfa" forms).

A thin layer over the C interface of libformalys.so.1 (ctypes). Texts are ``str``; a failure
raises :class:`FormalysError`, whose message is the French reason Formalys gives.

    import formalys
    component = formalys.Component()
    component.CerfaInit("/srv/cabinet", 0, lambda a, b, c, d: write_document_path())
    formalys.generate("/srv/cabinet", "MT", out="/srv/cabinet/mt.pdf")

Call everything from the thread that runs the host's windows. The library is loaded from
FORMALYS_LIBRARY when set, otherwise as libformalys.so.1 from the system's library path.
"""

import ctypes
import os

__all__ = ["Component", "FormalysError", "generate", "process_events"]

_library = ctypes.CDLL(os.environ.get("FORMALYS_LIBRARY", "libformalys.so.1"))

HostCallback = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_int32, ctypes.c_int32, ctypes.c_int32,
                                ctypes.c_int32)

_object = ctypes.c_void_p
for _name, _arguments in {
    "formalys_shpdf_set_thedata": [_object, ctypes.c_char_p],
    "formalys_cerfa_init": [_object, ctypes.c_char_p, ctypes.c_int16, HostCallback],
    "formalys_cerfa_assistant": [_object],
    "formalys_cerfa_quit": [_object],
    "formalys_cerfa_menu_patient": [_object],
    "formalys_cerfa_about": [_object],
    "formalys_cerfa_test": [_object],
    "formalys_cerfa_2035": [_object],
    "formalys_generate": [ctypes.c_char_p] * 4,
    "formalys_process_events": [ctypes.c_int32],
}.items():
    getattr(_library, _name).argtypes = _arguments
    getattr(_library, _name).restype = ctypes.c_int
_library.formalys_shpdf_new.restype = _object
_library.formalys_shpdf_free.argtypes = [_object]
_library.formalys_shpdf_get_thedata.argtypes = [_object]
_library.formalys_shpdf_get_thedata.restype = ctypes.c_char_p
_library.formalys_last_error.restype = ctypes.c_char_p


class FormalysError(Exception):
    """An operation failed (code 1) or was called wrongly (code 2); the message is Formalys's."""

    def __init__(self, code, reason):
        super().__init__(reason)
        self.code = code


def _checked(code):
    if code != 0:
        raise FormalysError(code, _library.formalys_last_error().decode("utf-8"))


def _text(value):
    return None if value is None else str(value).encode("utf-8")


class Component:
    """An SHPDF object. Every object of a process shares one component state."""

    def __init__(self):
        self._handle = _library.formalys_shpdf_new()
        if not self._handle:
            raise MemoryError("formalys_shpdf_new")
        self._callback = HostCallback()  # kept alive as long as Formalys may call it

    def __del__(self):
        if getattr(self, "_handle", None):
            _library.formalys_shpdf_free(self._handle)
            self._handle = None

    @property
    def TheData(self):
        return _library.formalys_shpdf_get_thedata(self._handle).decode("utf-8")

    @TheData.setter
    def TheData(self, value):
        _checked(_library.formalys_shpdf_set_thedata(self._handle, _text(value)))

    def CerfaInit(self, apath="", alone=0, callback=None):
        """callback(a, b, c, d), called when a document is ready: write its path into
        RESULTAT/FICHIER of the exchange file. An exception it raises is printed and ignored."""
        def call(a, b, c, d):
            try:
                callback(a, b, c, d)
            except Exception as error:  # noqa: BLE001 - it must not unwind through C
                print(f"formalys : le rappel a échoué : {error}")
            return 0
        self._callback = HostCallback(call) if callback else HostCallback()
        _checked(_library.formalys_cerfa_init(self._handle, _text(apath), alone, self._callback))

    def CerfaAssistant(self):
        _checked(_library.formalys_cerfa_assistant(self._handle))

    def CerfaQuit(self):
        _checked(_library.formalys_cerfa_quit(self._handle))

    def CerfaMenuPatient(self):
        _checked(_library.formalys_cerfa_menu_patient(self._handle))

    def CerfaAbout(self):
        _checked(_library.formalys_cerfa_about(self._handle))

    def CerfaTest(self):
        _checked(_library.formalys_cerfa_test(self._handle))

    def Cerfa2035(self):
        _checked(_library.formalys_cerfa_2035(self._handle))


def generate(directory, form, sheet=None, out=None):
    """Fill, merge, the corrected sheet when given, generation: like ``formalys generate``."""
    _checked(_library.formalys_generate(_text(directory), _text(form), _text(sheet), _text(out)))


def process_events(milliseconds):
    """Handles the windows' events for a host with no Qt or GLib event loop of its own. Returns
    False when there is no window system to serve."""
    return _library.formalys_process_events(milliseconds) == 0
