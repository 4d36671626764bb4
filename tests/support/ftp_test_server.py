# A pyftpdlib server for the FTP tests: one user with a password, a home folder, and a
# folder inside it where the user may list but not store. It listens on a port of the
# kernel's choosing (the test finds it from the socket), greets with the banner it is given,
# and ends when the test process that started it is gone.
import argparse
import logging
import os
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--home", required=True)
parser.add_argument("--user", required=True)
parser.add_argument("--password", required=True)
parser.add_argument("--readonly", required=True)
parser.add_argument("--banner", required=True)
# The encoding of names on the wire; names on disk stay UTF-8.
parser.add_argument("--encoding", default="utf8")
# PORT and EPRT answer 500: only passive data connections work.
parser.add_argument("--refuse-active", action="store_true")
# Listings begin with "." and "..".
parser.add_argument("--dot-entries", action="store_true")
args = parser.parse_args()

authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")
authorizer.override_perm(args.user, os.path.join(args.home, args.readonly), perm="elr",
                         recursive=True)
WIRE = args.encoding


class Filesystem(AbstractedFS):
    def listdir(self, path):
        names = super().listdir(path)
        return [".", ".."] + names if args.dot_entries else names

    def format_list(self, basedir, listing, ignore_err=True):
        for line in super().format_list(basedir, listing, ignore_err):
            yield line.decode("utf8").encode(WIRE, "replace")


class Handler(FTPHandler):
    def decode(self, data):
        return data.decode(WIRE, self.unicode_errors)

    def push(self, text):
        # Replies, as pyftpdlib writes them, but in the wire encoding.
        self.push_bytes(text.encode(WIRE, "replace"))

    def push_bytes(self, data):
        super(FTPHandler, self).push(data)

    def ftp_FEAT(self, line):
        if WIRE == "utf8":
            return super().ftp_FEAT(line)
        # The same features without UTF8, which this server does not speak.
        plain_push = self.push
        self.push = lambda text: plain_push(text.replace(" UTF8\r\n", ""))
        try:
            super().ftp_FEAT(line)
        finally:
            del self.push

    def ftp_PORT(self, line):
        if args.refuse_active:
            return self.respond("500 Active mode is not allowed here.")
        return super().ftp_PORT(line)

    def ftp_EPRT(self, line):
        if args.refuse_active:
            return self.respond("500 Active mode is not allowed here.")
        return super().ftp_EPRT(line)


def end_with_parent():
    # The test sets PR_SET_PDEATHSIG as well; this also covers a parent that ends normally
    # without stopping the server.
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.2)
    os._exit(0)


threading.Thread(target=end_with_parent, daemon=True).start()
Handler.authorizer = authorizer
Handler.abstracted_fs = Filesystem
Handler.banner = args.banner
Handler.use_gmt_times = False
Handler.auth_failed_timeout = 0.1
logging.basicConfig(level=logging.WARNING)
FTPServer(("127.0.0.1", 0), Handler).serve_forever()
