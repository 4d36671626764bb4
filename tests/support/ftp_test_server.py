# A pyftpdlib server for the FTP tests: one user with a password, a home folder, and a
# folder inside it where the user may list but not store.
import argparse
import logging
import os

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--port", type=int, required=True)
parser.add_argument("--home", required=True)
parser.add_argument("--user", required=True)
parser.add_argument("--password", required=True)
parser.add_argument("--readonly", required=True)
args = parser.parse_args()

authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")
authorizer.override_perm(args.user, os.path.join(args.home, args.readonly), perm="elr",
                         recursive=True)


class Handler(FTPHandler):
    pass


Handler.authorizer = authorizer
Handler.use_gmt_times = False
Handler.auth_failed_timeout = 0.1
logging.basicConfig(level=logging.WARNING)
FTPServer(("127.0.0.1", args.port), Handler).serve_forever()
