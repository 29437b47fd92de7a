// Paths and file URLs as bytes. File names are bytes, not all of them UTF-8, so the browser
// test holds every name as a byte string (one character per byte, 'latin1') and turns it into
// a Buffer for the file system and into percent-encoded bytes for a URL.
'use strict';

const fs = require('fs');

// A name given as a JavaScript string, as the bytes its file name has (UTF-8).
const byteString = (name) => (Buffer.isBuffer(name) ? name : Buffer.from(name, 'utf8'))
    .toString('latin1');
const bufferOf = (bytes) => Buffer.from(bytes, 'latin1');
const exists = (bytes) => fs.existsSync(bufferOf(bytes));

// %XX sequences as the bytes they stand for.
function decodeBytes(text) {
  return text.replace(/%([0-9A-Fa-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
}

function fileUrl(bytes) {
  let url = 'file://';
  for (const ch of bytes) {
    url += /[A-Za-z0-9\-._~/]/.test(ch) ? ch
           : `%${ch.charCodeAt(0).toString(16).toUpperCase().padStart(2, '0')}`;
  }
  return url;
}

// The file a file: URL names, as a byte string; query and fragment are not part of it.
function fileOf(url) {
  return decodeBytes(new URL(url).pathname);
}

// The last part of a URL's path, as bytes.
const baseOf = (url) => (url ? decodeBytes(url.split(/[?#]/)[0].split('/').pop()) : url);

module.exports = { byteString, bufferOf, exists, decodeBytes, fileUrl, fileOf, baseOf };
