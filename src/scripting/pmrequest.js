// `pm.request`: the request about to go (or gone), which pre-request scripts may change.
(function (lib, global, host, chai) {
    'use strict';

    var state = lib.state;
    var hasOwn = lib.hasOwn;
    var textOf = lib.textOf;
    var HeaderList = lib.HeaderList;

    // The request's URL as scripts take it apart; the query is kept as written (no decoding), so
    // that what a script leaves alone goes out unchanged.
    function splitUrl(text)
    {
        var hash = text.indexOf('#');
        var fragment = hash >= 0 ? text.slice(hash) : '';
        var rest = hash >= 0 ? text.slice(0, hash) : text;
        var mark = rest.indexOf('?');
        var query = mark >= 0 ? rest.slice(mark + 1) : '';
        var base = mark >= 0 ? rest.slice(0, mark) : rest;
        var parts = /^([A-Za-z][\w+.-]*:\/\/)?([^\/]*)(.*)$/.exec(base);
        return {
            base: base,
            fragment: fragment,
            host: parts[2],
            path: parts[3] || '/',
            query: query.length === 0 ? [] : query.split('&').map(function (pair) {
                var equals = pair.indexOf('=');
                return equals >= 0 ? {key: pair.slice(0, equals), value: pair.slice(equals + 1)}
                                   : {key: pair, value: null};
            }),
        };
    }

    function joinUrl(parts)
    {
        var query = parts.query.map(function (row) {
            return row.value === null ? row.key : row.key + '=' + row.value;
        }).join('&');
        return parts.base + (parts.query.length > 0 ? '?' + query : '') + parts.fragment;
    }

    function makeUrl()
    {
        function update(text)
        {
            state.run.request.url = String(text);
            state.run.request.urlChanged = true;
        }
        function changeQuery(change)
        {
            var parts = splitUrl(state.run.request.url);
            change(parts.query);
            update(joinUrl(parts));
        }
        function row(param, value)
        {
            if (typeof param === 'string') {
                if (arguments.length > 1)
                    return {key: param, value: textOf(value)};
                var equals = param.indexOf('=');
                return equals >= 0 ? {key: param.slice(0, equals), value: param.slice(equals + 1)}
                                   : {key: param, value: null};
            }
            return {key: String(param.key), value: param.value === null ? null : textOf(param.value)};
        }
        var query = {
            get: function (key) {
                var found = splitUrl(state.run.request.url).query.filter(function (entry) {
                    return entry.key === key;
                })[0];
                return found ? found.value : undefined;
            },
            has: function (key) {
                return query.get(key) !== undefined;
            },
            all: function () {
                return splitUrl(state.run.request.url).query;
            },
            toObject: function () {
                var object = {};
                query.all().forEach(function (entry) {
                    if (!hasOwn(object, entry.key))
                        object[entry.key] = entry.value;
                });
                return object;
            },
            add: function (param, value) {
                var entry = row.apply(null, arguments);
                changeQuery(function (rows) {
                    rows.push(entry);
                });
            },
            upsert: function (param, value) {
                var entry = row.apply(null, arguments);
                changeQuery(function (rows) {
                    var found = rows.filter(function (existing) {
                        return existing.key === entry.key;
                    })[0];
                    if (found)
                        found.value = entry.value;
                    else
                        rows.push(entry);
                });
            },
            remove: function (key) {
                changeQuery(function (rows) {
                    for (var i = rows.length - 1; i >= 0; --i) {
                        if (rows[i].key === key)
                            rows.splice(i, 1);
                    }
                });
            },
        };
        return {
            query: query,
            toString: function () {
                return state.run.request.url;
            },
            getRaw: function () {
                return state.run.request.url;
            },
            getHost: function () {
                return splitUrl(state.run.request.url).host;
            },
            getPath: function () {
                return splitUrl(state.run.request.url).path;
            },
            getQueryString: function () {
                var parts = splitUrl(state.run.request.url);
                parts.base = '';
                parts.fragment = '';
                return joinUrl(parts).slice(1);
            },
            addQueryParams: function (params) {
                (Array.isArray(params) ? params : [params]).forEach(function (param) {
                    query.add(param);
                });
            },
            removeQueryParams: function (keys) {
                (Array.isArray(keys) ? keys : [keys]).forEach(function (key) {
                    query.remove(typeof key === 'string' ? key : key.key);
                });
            },
            update: update,
        };
    }

    function makeRequest()
    {
        var data = state.run.request;
        var body = {
            mode: data.bodyMode,
            toString: function () {
                return data.body;
            },
            isEmpty: function () {
                return data.body.length === 0;
            },
            update: function (text) {
                body.raw = textOf(text);
            },
        };
        Object.defineProperty(body, 'raw', {
            enumerable: true,
            get: function () {
                return data.body;
            },
            set: function (text) {
                data.body = textOf(text);
                data.bodyChanged = true;
            },
        });
        var request = {
            headers: new HeaderList(data.headers),
            body: body,
            name: state.run.info.requestName,
            id: state.run.info.requestId,
            addHeader: function (header) {
                request.headers.add(header);
            },
            removeHeader: function (name) {
                request.headers.remove(name);
            },
        };
        var url = makeUrl();
        Object.defineProperty(request, 'url', {
            enumerable: true,
            get: function () {
                return url;
            },
            set: function (text) {
                url.update(typeof text === 'object' && text !== null ? text.toString() : text);
            },
        });
        Object.defineProperty(request, 'method', {
            enumerable: true,
            get: function () {
                return data.method;
            },
            set: function (method) {
                data.method = String(method).toUpperCase();
            },
        });
        return request;
    }

    lib.makeRequest = makeRequest;
})
